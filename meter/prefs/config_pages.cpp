#include "meter/prefs/config_pages.h"

std::vector<std::unique_ptr<ConfigPage>> makeConfigPages(CConfigSheet& sheet)
{
    std::vector<std::unique_ptr<ConfigPage>> pages;
    pages.push_back(std::make_unique<CConfigOptionsPage>(sheet));
    pages.push_back(std::make_unique<CConfigDisplayPage>(sheet));
    pages.push_back(std::make_unique<CConfigVolumnsPage>(sheet));
    pages.push_back(std::make_unique<CConfigMetersPage>(sheet));
    pages.push_back(std::make_unique<CConfigMeterOptionsPage>(sheet));
    pages.push_back(std::make_unique<CConfigTimePage>(sheet));
    pages.push_back(std::make_unique<CConfigLogsPage>(sheet));
    if (sheet.facts().readsCounters)
        pages.push_back(std::make_unique<CConfigComputerPage>(sheet));
    pages.push_back(std::make_unique<CConfigRenewoPage>(sheet));
    pages.push_back(std::make_unique<CConfigAboutPage>(sheet));
    return pages;
}
