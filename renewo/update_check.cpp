#include "renewo/update_check.h"

#include "renewo/download.h"
#include "renewo/paths.h"
#include "renewo/res/resource.h"
#include "renewo/tdata.h"
#include "renewo/texts.h"
#include "renewo/version_file.h"

#include <vector>

namespace renewo {

namespace Flags = SoftwareRenewo::Flags;

namespace {

class Check {
public:
    Check(const CheckInput& in, CheckPorts& ports, CheckResult& result)
        : in_(in), p_(ports), result_(result)
    {
    }

    void run()
    {
        const std::uint32_t code = in_.flags & Flags::kIntervalMask;
        result_ = CheckResult{};
        result_.stopScheduledChecks = code == 1;
        if (p_.http == nullptr || !due(code) || !userAgrees()) {
            return;
        }
        VersionReport report;
        if (!fetchVersion(report) || !report.updateAvailable()) {
            return;
        }
        offer(report);
    }

private:
    bool due(std::uint32_t code)
    {
        std::uint32_t type = 0;
        std::vector<unsigned char> data;
        const bool present = p_.settings.query(kLastCheckValueName, type, data);
        return isCheckDue(present, type, data, code, p_.clock.secondsSince1970());
    }

    bool userAgrees()
    {
        if ((in_.flags & (Flags::kAskFirst | Flags::kDialUp)) == 0) {
            return true;
        }
        std::string text = formatText(p_.ui.loadString(IDS_TIME_TO_CHECK), {in_.appName});
        if (in_.flags & Flags::kDialUp) {
            text += p_.ui.loadString(IDS_PLEASE_CONNECT);
        }
        return p_.ui.askToConnect(text, caption(in_.appName, "Software Update"));
    }

    void error(const char* text, const char* title)
    {
        p_.ui.message(text, caption(in_.appName, title), MessageIcon::Error);
    }

    // The messages about the version file appear over the connecting window, which
    // goes only after the file is closed. A fetch that runs out of time is a read error.
    bool fetchVersion(VersionReport& report)
    {
        const Deadline deadline(p_.clock, kVersionFileTimeLimitMs);
        p_.ui.showConnecting();
        std::unique_ptr<HttpFile> file = p_.http->open(in_.versionFileUrl);
        if (!file) {
            error("Failed to connect to the update server.", "Connection Error");
            p_.ui.hideConnecting();
            return false;
        }
        LineReader lines(*file, &deadline);
        report = readVersionFile(lines, in_.currentVersion);
        if (report.completesCheck()) {
            // The time the check completed: the question and the fetch before it may
            // have taken minutes.
            const std::int32_t completed = p_.clock.secondsSince1970();
            p_.settings.setDword(kLastCheckValueName, static_cast<std::uint32_t>(completed));
        }
        if (report.kind == VersionReport::Kind::NoUpdate && (in_.flags & Flags::kReportNoUpdate)) {
            p_.ui.message("No software update is available.", caption(in_.appName, "No Update"),
                          MessageIcon::Information);
        }
        if (report.showsReadError()) {
            error("There was an error reading all the data from the version update server.",
                  "Read Error");
        }
        file.reset();
        p_.ui.hideConnecting();
        return true;
    }

    void offer(const VersionReport& report)
    {
        UpdateOffer o;
        o.detailed = report.kind == VersionReport::Kind::UpdateWithDetails;
        o.appName = in_.appName;
        o.newVersion = report.newVersion;
        o.releaseDate = report.releaseDate;
        o.currentVersion = in_.currentVersion;
        switch (p_.ui.offerUpdate(o)) {
        case UpdateChoice::Visit:
            visit(report);
            break;
        case UpdateChoice::Download:
            if (o.detailed) {
                result_.installerDownloaded = download(report);
            }
            break;
        case UpdateChoice::Continue:
            break;
        }
    }

    void visit(const VersionReport& report)
    {
        // Without a usable page address of its own (not our format, file cut short, or
        // not a web address) the product's home page is the page to visit.
        const bool ownPage = report.kind != VersionReport::Kind::UpdateWithoutDetails &&
                             isWebAddress(report.pageUrl);
        if (!p_.ui.openWebPage(ownPage ? report.pageUrl : in_.webSiteUrl)) {
            error("Failed to go to web site.", "Browser Error");
        }
    }

    bool download(const VersionReport& report)
    {
        const std::string& url = report.downloadUrl;
        const std::string name = installerFileName(url);
        // A name the installer could not be saved and started under is not worth the
        // download.
        if (!isInstallerFileName(name)) {
            transferFailed();
            return false;
        }
        p_.ui.progressOpen(name);
        std::unique_ptr<HttpFile> file = p_.http->open(url);
        if (!file) {
            p_.ui.progressClose();
            error("Failed to connect to the server that has the new version.", "Download Error");
            return false;
        }
        Transfer t = transferFile(*file, p_.ui, p_.maxDownload);
        file.reset();
        p_.ui.progressClose();
        switch (t.outcome) {
        case Transfer::Outcome::Complete:
            if (!matchesPublishedDigest(report, t)) {
                error("The downloaded file is not the published installer. It was not saved.",
                      "Download Error");
                return false;
            }
            return save(name, t);
        case Transfer::Outcome::Cancelled:
            error("Download canceled.", "Download Canceled");
            return false;
        case Transfer::Outcome::Failed:
            break;
        }
        transferFailed();
        return false;
    }

    // A version file without a digest line leaves the download unchecked, as it always was.
    bool matchesPublishedDigest(const VersionReport& report, const Transfer& t)
    {
        if (!report.installerDigestGiven) {
            return true;
        }
        std::string actual;
        return p_.digest != nullptr && !report.installerSha256.empty() &&
               p_.digest->sha256(t.data.get(), t.size, actual) && actual == report.installerSha256;
    }

    void transferFailed() { error("Failed to tranfer file.", "Download Error"); }

    // A declined folder choice or a file that cannot be written ends without a message.
    bool save(const std::string& name, const Transfer& t)
    {
        std::string folder = in_.programFolder;
        std::string path;
        if (!p_.ui.chooseFolder(folder) || !installerPathFor(folder, name, path) ||
            !p_.ui.saveFile(path, t.data.get(), t.size)) {
            return false;
        }
        result_.installerPath = path;
        return true;
    }

    const CheckInput& in_;
    CheckPorts& p_;
    CheckResult& result_;
};

bool startsWithNoCase(const std::string& text, const char* prefix)
{
    for (std::size_t i = 0; prefix[i] != '\0'; ++i) {
        if (i >= text.size()) {
            return false;
        }
        char c = text[i];
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        if (c != prefix[i]) {
            return false;
        }
    }
    return true;
}

} // namespace

bool isWebAddress(const std::string& address)
{
    return startsWithNoCase(address, "http://") || startsWithNoCase(address, "https://");
}

void runCheck(const CheckInput& in, CheckPorts& ports, CheckResult& result)
{
    Check(in, ports, result).run();
}

} // namespace renewo
