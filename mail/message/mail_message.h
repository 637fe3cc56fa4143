#pragma once
// One retrieved message: the raw text as the server sent it, the account file's
// bookkeeping beside it, and the texts the plug-in shows, taken from the parsed MIME
// structure. Every text is Windows-1252.

#include "mail/message/header_text.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vmime {
class bodyPart;
class message;
} // namespace vmime

namespace mail {

struct MessageAttachment {
    static constexpr int kWholeMessage = -1;
    int partIndex = kWholeMessage; // top-level body part, or the whole message
    std::string fileName;          // safe base name, never empty
    std::string contentId;         // without angle brackets; empty when none
};

class CMailMessage {
public:
    // Deeper multipart nesting than this is not parsed: the body stays one text.
    static constexpr int kMaxNesting = 50;

    CMailMessage();
    CMailMessage(const std::string& rawText, const std::string& uniqueId, int32_t reserved,
                 int32_t isNew);
    CMailMessage(const CMailMessage& other);
    CMailMessage& operator=(const CMailMessage& other);
    ~CMailMessage();

    // Copies the text, parses it and rebuilds the attachment list.
    void setRawText(const std::string& rawText);
    const std::string& rawText() const { return rawText_; }

    const std::string& uniqueId() const { return uniqueId_; }
    void setUniqueId(const std::string& id) { uniqueId_ = id; }
    int32_t reserved() const { return reserved_; }
    void setReserved(int32_t value) { reserved_ = value; }
    int32_t isNew() const { return isNew_; }
    void setNew(int32_t value) { isNew_ = value; }

    // True when the body nests too deep to parse and is shown as one text.
    bool isOpaque() const { return opaque_; }

    std::string subject() const;
    std::string from() const;
    std::string to() const;
    std::string cc() const;
    std::string date() const;
    // Reply-To, else From, else Sender, else Return-Path, as text and as addresses.
    std::string replyAddress() const;
    std::vector<MailAddress> replyAddresses() const;

    std::string plainBody() const;
    // A text/plain part was found (otherwise the plain body is the raw body).
    bool hasPlainPart() const;
    std::string htmlBody() const;
    // A text/html part was found (a plain message's HTML body is its raw body).
    bool isHtml() const;
    std::string headerBlock() const;

    std::size_t attachmentCount() const { return attachments_.size(); }
    const std::vector<MessageAttachment>& attachments() const { return attachments_; }
    // An attachment's bytes with the transfer encoding undone; empty for a bad index.
    std::string attachmentContent(std::size_t index) const;

    // The HTML body as the message window's HTML file holds it: encoding remnants
    // tidied and "cid:" references pointing at the attachments' file names.
    std::string htmlFileText() const;

private:
    struct BodyChoice {
        std::string text;
        bool found = false;
    };
    BodyChoice selectBody(const std::string& type, const std::string& subtype) const;
    std::string headerText(const char* name) const;
    std::string addressText(const char* name) const;
    void parse();
    void buildAttachmentList();
    const vmime::bodyPart* partAt(int index) const;

    std::string uniqueId_;
    int32_t reserved_ = 0;
    int32_t isNew_ = 0;
    std::shared_ptr<vmime::message> message_;
    std::vector<MessageAttachment> attachments_;
    std::string rawText_;
    bool opaque_ = false;
};

} // namespace mail
