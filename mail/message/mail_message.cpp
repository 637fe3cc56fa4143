#include "mail/message/mail_message.h"

#include "mail/message/attachment_name.h"
#include "mail/message/html_text.h"
#include "mail/message/mime_depth.h"
#include "mail/message/text_1252.h"
#include "mail/message/vmime_platform.h"

#include <vmime/contentTypeField.hpp>
#include <vmime/vmime.hpp>

#include <utility>

namespace mail {
namespace {

const char kHeaderEnd[] = "\r\n\r\n";

struct MediaType {
    std::string type = "text";
    std::string subtype = "plain"; // a part without Content-Type is plain text
};

MediaType mediaTypeOf(const vmime::bodyPart& part)
{
    MediaType media;
    auto field = part.getHeader()->findField<vmime::contentTypeField>(vmime::fields::CONTENT_TYPE);
    if (field) {
        auto value = field->getValue<vmime::mediaType>();
        media.type = value->getType();
        media.subtype = value->getSubType();
    }
    return media;
}

// Parts of these types are files, not texts to show.
bool isAttachmentType(const std::string& type)
{
    return type == "application" || type == "image" || type == "audio" || type == "video" ||
           type == "model";
}

// The content with its transfer encoding undone; an encoding vmime does not know
// leaves the content as it was sent.
std::string decodedContents(const vmime::bodyPart& part)
{
    auto contents = part.getBody()->getContents();
    std::string bytes;
    vmime::utility::outputStreamStringAdapter out(bytes);
    try {
        contents->extract(out);
    } catch (const std::exception&) {
        bytes.clear();
        contents->extractRaw(out);
    }
    return bytes;
}

std::string charsetOf(const vmime::bodyPart& part)
{
    auto field = part.getHeader()->findField<vmime::contentTypeField>(vmime::fields::CONTENT_TYPE);
    if (field && field->hasCharset())
        return field->getCharset().getName();
    return vmime::charsets::US_ASCII;
}

std::string bodyText(const vmime::bodyPart& part)
{
    return windows1252FromCharset(decodedContents(part), charsetOf(part));
}

std::string parameterText(const vmime::bodyPart& part, const char* fieldName, const char* name)
{
    auto field = part.getHeader()->findField<vmime::parameterizedHeaderField>(fieldName);
    if (!field)
        return std::string();
    auto parameter = field->findParameter(name);
    if (!parameter)
        return std::string();
    const vmime::word& value = parameter->getValue();
    return windows1252FromCharset(value.getBuffer(), value.getCharset().getName());
}

std::string proposedFileName(const vmime::bodyPart& part)
{
    std::string name = parameterText(part, vmime::fields::CONTENT_DISPOSITION, "filename");
    if (name.empty())
        name = parameterText(part, vmime::fields::CONTENT_TYPE, "name");
    return name;
}

// The part's own header text, as it stands in the raw message.
std::string rawHeaderOf(const vmime::bodyPart& part, const std::string& raw)
{
    auto header = part.getHeader();
    const size_t offset = header->getParsedOffset();
    if (offset >= raw.size())
        return std::string();
    return raw.substr(offset, header->getParsedLength());
}

std::string contentIdOf(const vmime::bodyPart& part, const std::string& raw)
{
    std::string id = rawHeaderValue(rawHeaderOf(part, raw), "Content-ID");
    if (id.size() >= 2 && id.front() == '<' && id.back() == '>')
        id = id.substr(1, id.size() - 2);
    return id;
}

} // namespace

CMailMessage::CMailMessage()
{
    parse();
}

CMailMessage::CMailMessage(const std::string& rawText, const std::string& uniqueId,
                           int32_t reserved, int32_t isNew)
    : uniqueId_(uniqueId), reserved_(reserved), isNew_(isNew), rawText_(rawText)
{
    parse();
}

CMailMessage::CMailMessage(const CMailMessage& other)
    : CMailMessage(other.rawText_, other.uniqueId_, other.reserved_, other.isNew_)
{
}

CMailMessage& CMailMessage::operator=(const CMailMessage& other)
{
    if (this != &other) {
        uniqueId_ = other.uniqueId_;
        reserved_ = other.reserved_;
        isNew_ = other.isNew_;
        setRawText(other.rawText_);
    }
    return *this;
}

CMailMessage::~CMailMessage() = default;

void CMailMessage::setRawText(const std::string& rawText)
{
    rawText_ = rawText;
    parse();
}

void CMailMessage::parse()
{
    ensureVmimePlatform();
    attachments_.clear();
    message_ = std::make_shared<vmime::message>();
    opaque_ = mimeNestingDepth(rawText_, kMaxNesting) > kMaxNesting;
    try {
        if (opaque_) {
            // Only the header: the body is shown as the text it is.
            message_->parse(headerBlock() + kHeaderEnd);
        } else {
            message_->parse(rawText_);
        }
    } catch (const std::exception&) {
        message_ = std::make_shared<vmime::message>();
        opaque_ = true;
    }
    buildAttachmentList();
}

std::string CMailMessage::headerBlock() const
{
    return mail::headerBlock(rawText_);
}

std::string CMailMessage::headerText(const char* name) const
{
    return decodedHeaderText(rawHeaderValue(headerBlock(), name));
}

// Address fields are read as lists, so that every address survives (a quoted name
// may hold a comma); a field that holds no address at all is shown as it stands.
std::string CMailMessage::addressText(const char* name) const
{
    const std::string value = rawHeaderValue(headerBlock(), name);
    const std::string list = formatAddressList(parseAddressList(value));
    return list.empty() ? decodedHeaderText(value) : list;
}

std::string CMailMessage::subject() const
{
    return headerText("Subject");
}
std::string CMailMessage::from() const
{
    return addressText("From");
}
std::string CMailMessage::to() const
{
    return addressText("To");
}
std::string CMailMessage::cc() const
{
    return addressText("Cc");
}
std::string CMailMessage::date() const
{
    return headerText("Date");
}

std::string CMailMessage::replyAddress() const
{
    for (const char* name : {"Reply-To", "From", "Sender", "Return-Path"}) {
        const std::string text = addressText(name);
        if (!text.empty())
            return text;
    }
    return std::string();
}

std::vector<MailAddress> CMailMessage::replyAddresses() const
{
    for (const char* name : {"Reply-To", "From", "Sender", "Return-Path"}) {
        auto addresses = parseAddressList(rawHeaderValue(headerBlock(), name));
        if (!addresses.empty())
            return addresses;
    }
    return {};
}

CMailMessage::BodyChoice CMailMessage::selectBody(const std::string& type,
                                                  const std::string& subtype) const
{
    const auto wanted = [&](const vmime::bodyPart& part) {
        const MediaType media = mediaTypeOf(part);
        return media.type == type && media.subtype == subtype;
    };
    BodyChoice choice;
    if (!opaque_ && wanted(*message_)) {
        choice.found = true;
        choice.text = bodyText(*message_);
        return choice;
    }
    auto body = message_->getBody();
    for (size_t i = 0; i < body->getPartCount(); ++i) {
        auto part = body->getPartAt(i);
        if (wanted(*part)) {
            choice.found = true;
            choice.text = bodyText(*part);
            return choice;
        }
        if (mediaTypeOf(*part).type != vmime::mediaTypes::MULTIPART)
            continue;
        auto inner = part->getBody();
        for (size_t j = 0; j < inner->getPartCount(); ++j) {
            if (wanted(*inner->getPartAt(j))) {
                choice.found = true;
                choice.text = bodyText(*inner->getPartAt(j));
                return choice;
            }
        }
    }
    if (!isAttachmentType(mediaTypeOf(*message_).type)) {
        const size_t end = rawText_.find(kHeaderEnd);
        if (end != std::string::npos)
            choice.text = rawText_.substr(end + 4);
    }
    return choice;
}

std::string CMailMessage::plainBody() const
{
    return selectBody("text", "plain").text;
}
bool CMailMessage::hasPlainPart() const
{
    return selectBody("text", "plain").found;
}
std::string CMailMessage::htmlBody() const
{
    return selectBody("text", "html").text;
}
bool CMailMessage::isHtml() const
{
    return selectBody("text", "html").found;
}

void CMailMessage::buildAttachmentList()
{
    const auto add = [&](const vmime::bodyPart& part, int index) {
        MessageAttachment entry;
        entry.partIndex = index;
        const int number = static_cast<int>(attachments_.size()) + 1;
        std::vector<std::string> taken;
        for (const auto& earlier : attachments_)
            taken.push_back(earlier.fileName);
        entry.fileName =
            distinctAttachmentName(safeAttachmentName(proposedFileName(part), number), taken);
        entry.contentId = contentIdOf(part, rawText_);
        attachments_.push_back(std::move(entry));
    };
    if (isAttachmentType(mediaTypeOf(*message_).type))
        add(*message_, MessageAttachment::kWholeMessage);
    auto body = message_->getBody();
    for (size_t i = 0; i < body->getPartCount(); ++i) {
        auto part = body->getPartAt(i);
        if (isAttachmentType(mediaTypeOf(*part).type))
            add(*part, static_cast<int>(i));
    }
}

const vmime::bodyPart* CMailMessage::partAt(int index) const
{
    if (index == MessageAttachment::kWholeMessage)
        return message_.get();
    auto body = message_->getBody();
    if (index < 0 || static_cast<size_t>(index) >= body->getPartCount())
        return nullptr;
    return body->getPartAt(static_cast<size_t>(index)).get();
}

std::string CMailMessage::attachmentContent(std::size_t index) const
{
    if (index >= attachments_.size())
        return std::string();
    const vmime::bodyPart* part = partAt(attachments_[index].partIndex);
    return part != nullptr ? decodedContents(*part) : std::string();
}

std::string CMailMessage::htmlFileText() const
{
    std::vector<std::pair<std::string, std::string>> files;
    for (const auto& attachment : attachments_) {
        if (!attachment.contentId.empty())
            files.emplace_back(attachment.contentId, attachment.fileName);
    }
    return htmlWithContentIdsResolved(htmlWithoutEncodingRemnants(htmlBody()), files);
}

} // namespace mail
