#include "mail/send/send_mail.h"

#include "mail/send/send_texts.h"

namespace mail {

SmtpJob smtpJobFor(const OutgoingMail& mail, const std::string& serverSetting,
                   const std::string& helo)
{
    SmtpJob job;
    job.server = parseSmtpServer(serverSetting);
    job.serverText = serverSetting;
    job.helo = helo;
    job.sender = mail.sender.email;
    for (const auto& recipient : allRecipients(mail))
        job.recipients.push_back(recipient.email);
    job.text = buildOutgoingText(mail);
    return job;
}

bool sendMail(CSmtpSender& sender, const OutgoingMail& mail, const std::string& serverSetting,
              const std::string& helo, const CSmtpSender::Report& report)
{
    const SmtpJob job = smtpJobFor(mail, serverSetting, helo);
    if (job.text.empty()) {
        const std::string recipient = job.recipients.empty() ? "" : job.recipients.front();
        report(sendErrorReport(SendText::kUnsafeMessage, serverSetting, job.sender, recipient));
        return false;
    }
    return sender.send(job, report);
}

std::string sendOutcomeText(bool allSent, const std::string& hostName)
{
    return allSent ? SendText::kSentAll : sendFailedText(hostName);
}

} // namespace mail
