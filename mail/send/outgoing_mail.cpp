#include "mail/send/outgoing_mail.h"

#include "mail/message/vmime_platform.h"

#include <vmime/contentDispositionField.hpp>
#include <vmime/vmime.hpp>

#include <algorithm>

namespace mail {
namespace {

const char kCharset[] = "windows-1252";
// RFC 5322's bound on a line: longer lines must be encoded even when they are ASCII.
constexpr std::size_t kMaxPlainLine = 998;

bool isPlainAscii(const std::string& text)
{
    std::size_t lineLength = 0;
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
        lineLength = (c == '\n') ? 0 : lineLength + 1;
        if (lineLength > kMaxPlainLine)
            return false;
    }
    return true;
}

// ASCII stays readable as it is; only 8-bit text becomes encoded words.
vmime::text headerText(const std::string& value)
{
    const bool ascii = std::all_of(value.begin(), value.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    return vmime::text(vmime::word(value, ascii ? vmime::charset(vmime::charsets::US_ASCII)
                                                : vmime::charset(kCharset)));
}

vmime::shared_ptr<vmime::mailbox> mailboxOf(const MailAddress& address)
{
    return vmime::make_shared<vmime::mailbox>(headerText(address.name),
                                              vmime::emailAddress(address.email));
}

vmime::addressList addressListOf(const std::vector<MailAddress>& addresses)
{
    vmime::addressList list;
    for (const auto& address : addresses)
        list.appendAddress(mailboxOf(address));
    return list;
}

// Plain ASCII travels as it is; anything else quoted-printable, so no 8-bit byte and
// no overlong line reaches a server that only takes 7-bit text.
void setTextBody(vmime::body& body, const std::string& text)
{
    const std::string crlfText = withCrlfLineEnds(text);
    const vmime::encoding encoding(isPlainAscii(crlfText) ? vmime::encodingTypes::SEVEN_BIT
                                                          : vmime::encodingTypes::QUOTED_PRINTABLE);
    body.setContents(vmime::make_shared<vmime::stringContentHandler>(crlfText),
                     vmime::mediaType(vmime::mediaTypes::TEXT, vmime::mediaTypes::TEXT_PLAIN),
                     vmime::charset(kCharset), encoding);
}

vmime::shared_ptr<vmime::bodyPart> attachmentPart(const OutgoingAttachment& attachment)
{
    auto part = vmime::make_shared<vmime::bodyPart>();
    part->getBody()->setContents(
        vmime::make_shared<vmime::stringContentHandler>(attachment.content),
        vmime::mediaType(vmime::mediaTypes::APPLICATION,
                         vmime::mediaTypes::APPLICATION_OCTET_STREAM),
        vmime::charset(kCharset), vmime::encoding(vmime::encodingTypes::BASE64));
    auto header = part->getHeader();
    header->ContentType()->setValue(vmime::mediaType(vmime::mediaTypes::APPLICATION,
                                                     vmime::mediaTypes::APPLICATION_OCTET_STREAM));
    auto disposition =
        vmime::dynamicCast<vmime::contentDispositionField>(header->ContentDisposition());
    disposition->setValue(vmime::contentDisposition(vmime::contentDispositionTypes::ATTACHMENT));
    disposition->setFilename(vmime::word(attachment.fileName, vmime::charset(kCharset)));
    return part;
}

void setHeaders(vmime::header& header, const OutgoingMail& mail)
{
    header.From()->setValue(*mailboxOf(mail.sender));
    if (!mail.to.empty())
        header.To()->setValue(addressListOf(mail.to));
    if (!mail.cc.empty())
        header.Cc()->setValue(addressListOf(mail.cc));
    header.ReplyTo()->setValue(vmime::mailbox(vmime::emailAddress(mail.sender.email)));
    header.Subject()->setValue(headerText(mail.subject));
    header.Date()->setValue(vmime::datetime::now());
    header.MimeVersion()->setValue(vmime::string("1.0"));
    header.getField("X-Mailer")->setValue(headerText(mail.mailer));
}

bool addressesAreSafe(const std::vector<MailAddress>& addresses)
{
    for (const auto& address : addresses) {
        if (holdsLineBreak(address.name) || holdsLineBreak(address.email))
            return false;
    }
    return true;
}

} // namespace

bool holdsLineBreak(const std::string& text)
{
    return text.find_first_of(std::string("\r\n\0", 3)) != std::string::npos;
}

bool isSafeToSend(const OutgoingMail& mail)
{
    if (holdsLineBreak(mail.sender.name) || holdsLineBreak(mail.sender.email))
        return false;
    if (holdsLineBreak(mail.subject) || holdsLineBreak(mail.mailer))
        return false;
    for (const auto& attachment : mail.attachments) {
        if (holdsLineBreak(attachment.fileName))
            return false;
    }
    return addressesAreSafe(mail.to) && addressesAreSafe(mail.cc) && addressesAreSafe(mail.bcc);
}

std::vector<MailAddress> allRecipients(const OutgoingMail& mail)
{
    std::vector<MailAddress> all(mail.to);
    all.insert(all.end(), mail.cc.begin(), mail.cc.end());
    all.insert(all.end(), mail.bcc.begin(), mail.bcc.end());
    return all;
}

std::string withCrlfLineEnds(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 32);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

std::string buildOutgoingText(const OutgoingMail& mail)
{
    if (!isSafeToSend(mail))
        return {};
    ensureVmimePlatform();
    vmime::message message;
    setHeaders(*message.getHeader(), mail);
    if (mail.attachments.empty()) {
        setTextBody(*message.getBody(), mail.text);
    } else {
        message.getHeader()->ContentType()->setValue(
            vmime::mediaType(vmime::mediaTypes::MULTIPART, vmime::mediaTypes::MULTIPART_MIXED));
        auto textPart = vmime::make_shared<vmime::bodyPart>();
        setTextBody(*textPart->getBody(), mail.text);
        message.getBody()->appendPart(textPart);
        for (const auto& attachment : mail.attachments)
            message.getBody()->appendPart(attachmentPart(attachment));
    }
    // Whatever the encoders leave, the wire takes CRLF line ends only.
    return withCrlfLineEnds(message.generate());
}

} // namespace mail
