#include "mail/send/send_texts.h"

namespace mail {

std::string sendFailedText(const std::string& hostName)
{
    return hostName + " failed to send your message.";
}

std::string sendErrorReport(const std::string& error, const std::string& server,
                            const std::string& sender, const std::string& recipient)
{
    return "Unable to send this message due to the following error:\n" + error +
           "\n\nMessage information follows:\n  SMTP Server: " + server + "\n  From: " + sender +
           "\n  To: " + recipient;
}

std::string connectFailedText(int socketError)
{
    return "Could not connect to the server (socket error " + std::to_string(socketError) + ").";
}

std::string noReplyText(int socketError)
{
    return "The server did not reply (socket error " + std::to_string(socketError) + ").";
}

} // namespace mail
