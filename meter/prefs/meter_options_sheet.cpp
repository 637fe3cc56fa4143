#include "meter/prefs/meter_options_sheet.h"

#include "common/win/dialog.h"
#include "meter/prefs/meter_option_pages.h"

#include <commctrl.h>

namespace {

const std::vector<int> kTimerButtons{IDC_GEN_TIMER1, IDC_GEN_TIMER2};
const std::vector<int> kGraphStyle{IDC_GRA_BAR, IDC_GRA_LINE};

// The record behind a page, of the layout the page edits.
template <typename Record> Record& recordOf(CMeterOptionsSheet& sheet)
{
    return static_cast<Record&>(sheet.edited());
}

// Whether the copy has the layout a page needs: a record of another layout gets no
// page rather than a page that writes past it.
template <typename Record> bool holds(const MeterOptions& options)
{
    return dynamic_cast<const Record*>(&options) != nullptr;
}

} // namespace

bool MeterOptionsPage::onApply(bool closing)
{
    if (closing)
        sheet_.closedWithOk();
    return true;
}

// ---- The sheet ---------------------------------------------------------------------

CMeterOptionsSheet::CMeterOptionsSheet(const MeterOptions& options, MeterSheetFacts facts)
    : PropertySheetFrame(kMeterOptionsCaption, PSH_NOAPPLYNOW), edited_(options.clone()),
      facts_(std::move(facts))
{
    pages_ = makeMeterOptionsPages(*this);
    for (auto& page : pages_)
        addPage(*page);
}

CMeterOptionsSheet::~CMeterOptionsSheet() = default;

bool CMeterOptionsSheet::run(HWND owner, MeterOptions& options)
{
    ok_ = false;
    runModal(owner, 0);
    if (!ok_)
        return false;
    for (auto& page : pages_)
        page->store(*edited_);
    options.copyFrom(*edited_);
    return true;
}

void CMeterOptionsSheet::onInitialized()
{
    centreWindowOnDesktop(hwnd());
}

std::vector<std::unique_ptr<MeterOptionsPage>> makeMeterOptionsPages(CMeterOptionsSheet& sheet)
{
    std::vector<std::unique_ptr<MeterOptionsPage>> pages;
    const MeterOptions& record = sheet.edited();
    for (MeterPage page : meterOptionsPages(record.kind())) {
        switch (page) {
        case MeterPage::General:
            pages.push_back(std::make_unique<CMeterGeneralPage>(sheet));
            break;
        case MeterPage::Graph:
            if (holds<GraphOptions>(record))
                pages.push_back(std::make_unique<CBarGraphOptionsPage>(sheet));
            break;
        case MeterPage::Network:
            if (holds<NetworkOptions>(record))
                pages.push_back(std::make_unique<CNetOptionsPage>(sheet));
            break;
        case MeterPage::Disk:
            if (holds<DiskOptions>(record))
                pages.push_back(std::make_unique<CDiskOptionsPage>(sheet));
            break;
        case MeterPage::Memory:
            if (holds<MemoryInfoOptions>(record))
                pages.push_back(std::make_unique<CMemTextOptionsPage>(sheet));
            break;
        case MeterPage::Processes:
            if (holds<ProcessOptions>(record))
                pages.push_back(std::make_unique<CProcessesOptionsPage>(sheet));
            break;
        case MeterPage::Hosts:
            if (holds<PingOptions>(record))
                pages.push_back(std::make_unique<CPingOptionsPage>(sheet));
            break;
        case MeterPage::LogOptions:
            if (holds<DriveOptions>(record))
                pages.push_back(std::make_unique<CDriveOptionsPage>(sheet));
            break;
        }
    }
    return pages;
}

bool editMeterOptions(HWND owner, MeterOptions& options, MeterSheetFacts facts)
{
    CMeterOptionsSheet sheet(options, std::move(facts));
    return sheet.run(owner, options);
}

// ---- General -----------------------------------------------------------------------

CMeterGeneralPage::CMeterGeneralPage(CMeterOptionsSheet& sheet)
    : MeterOptionsPage(IDD_MOPT_GENERAL, sheet), f_(loadGeneral(sheet.edited()))
{
}

void CMeterGeneralPage::onInit()
{
    const MeterSheetFacts& facts = sheet().facts();
    setChecked(IDC_GEN_ACTIVE, f_.active);
    setChecked(IDC_GEN_HIDDEN, f_.hidden);
    setChecked(IDC_GEN_TRAY, f_.trayIcon);
    setChecked(IDC_GEN_LOG, f_.logToFile);
    enable(IDC_GEN_HIDDEN, hiddenEnabled(f_));
    show(IDC_GEN_TRAY, facts.abilities.canShowTrayIcon);
    show(IDC_GEN_LOG, facts.abilities.canLog);
    for (int id : {IDC_GEN_TIMER_GROUP, IDC_GEN_TIMER1, IDC_GEN_TIMER2})
        show(id, facts.abilities.hasTimer);
    setText(IDC_GEN_TIMER1, timerButtonText(1, facts.timerSeconds[0]));
    setText(IDC_GEN_TIMER2, timerButtonText(2, facts.timerSeconds[1]));
    setRadioIndex(kTimerButtons, f_.timerIndex.value());
}

bool CMeterGeneralPage::onCommand(int id, int code)
{
    if (code != BN_CLICKED)
        return false;
    switch (id) {
    case IDC_GEN_ACTIVE:
        f_.active = checked(id);
        enable(IDC_GEN_HIDDEN, hiddenEnabled(f_));
        return true;
    case IDC_GEN_HIDDEN:
        f_.hidden = checked(id);
        return true;
    case IDC_GEN_TRAY:
        f_.trayIcon = checked(id);
        return true;
    case IDC_GEN_LOG:
        f_.logToFile = checked(id);
        return true;
    case IDC_GEN_TIMER1:
    case IDC_GEN_TIMER2:
        if (radioIndex(kTimerButtons) >= 0)
            f_.timerIndex.set(radioIndex(kTimerButtons));
        return true;
    default:
        return false;
    }
}

void CMeterGeneralPage::store(MeterOptions& options)
{
    storeGeneral(f_, options);
}

// ---- Graph -------------------------------------------------------------------------

CBarGraphOptionsPage::CBarGraphOptionsPage(CMeterOptionsSheet& sheet)
    : MeterOptionsPage(IDD_MOPT_GRAPH, sheet), f_(loadGraph(recordOf<GraphOptions>(sheet))),
      autoScale_(offersAutoScale(sheet.edited().kind()))
{
}

void CBarGraphOptionsPage::onInit()
{
    setTrackRange(IDC_GRA_SIZE, kGraphHeightLowest, kGraphHeightHighest);
    std::vector<int> ticks;
    for (int at = kGraphHeightLowest; at <= kGraphHeightHighest; at += kGraphHeightTick)
        ticks.push_back(at);
    setTrackTicks(IDC_GRA_SIZE, ticks);
    setTrackPosition(IDC_GRA_SIZE, sliderHeight(f_));
    setText(IDC_GRA_PIXELS, heightText(sliderHeight(f_)));
    setChecked(IDC_GRA_AVERAGE, f_.drawAverage);
    setChecked(IDC_GRA_AUTOSCALE, f_.autoScale);
    show(IDC_GRA_AUTOSCALE, autoScale_);
    setRadioIndex(kGraphStyle, f_.lineGraph ? 1 : 0);
}

void CBarGraphOptionsPage::setHeight(int pixels)
{
    f_.height.set(pixels);
    setTrackPosition(IDC_GRA_SIZE, sliderHeight(f_));
    setText(IDC_GRA_PIXELS, heightText(sliderHeight(f_)));
}

bool CBarGraphOptionsPage::onCommand(int id, int code)
{
    if (code != BN_CLICKED)
        return false;
    switch (id) {
    case IDC_GRA_SMALL:
        setHeight(kGraphHeightSmall);
        return true;
    case IDC_GRA_MEDIUM:
        setHeight(kGraphHeightMedium);
        return true;
    case IDC_GRA_LARGE:
        setHeight(kGraphHeightLarge);
        return true;
    case IDC_GRA_AVERAGE:
        f_.drawAverage = checked(id);
        return true;
    case IDC_GRA_AUTOSCALE:
        f_.autoScale = checked(id);
        return true;
    case IDC_GRA_BAR:
    case IDC_GRA_LINE:
        f_.lineGraph = checked(IDC_GRA_LINE);
        return true;
    default:
        return false;
    }
}

INT_PTR CBarGraphOptionsPage::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_HSCROLL && reinterpret_cast<HWND>(lParam) == item(IDC_GRA_SIZE)) {
        setHeight(trackPosition(IDC_GRA_SIZE));
        return TRUE;
    }
    return MeterOptionsPage::handleMessage(message, wParam, lParam);
}

void CBarGraphOptionsPage::store(MeterOptions& options)
{
    storeGraph(f_, autoScale_, static_cast<GraphOptions&>(options));
}
