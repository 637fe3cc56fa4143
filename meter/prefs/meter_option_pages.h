#pragma once
// The pages of the "Meter Options" sheet. Each shows the fields of its portable model,
// takes the user's changes into them and stores them into the sheet's copy.
#include "meter/prefs/host_list.h"
#include "meter/prefs/meter_options_sheet.h"
#include "meter/res/resource.h"

class CMeterGeneralPage : public MeterOptionsPage {
public:
    explicit CMeterGeneralPage(CMeterOptionsSheet& sheet);
    void store(MeterOptions& options) override;

private:
    void onInit() override;
    bool onCommand(int id, int code) override;
    GeneralFields f_;
};

class CBarGraphOptionsPage : public MeterOptionsPage {
public:
    explicit CBarGraphOptionsPage(CMeterOptionsSheet& sheet);
    void store(MeterOptions& options) override;

private:
    void onInit() override;
    bool onCommand(int id, int code) override;
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void setHeight(int pixels);
    GraphFields f_;
    bool autoScale_;
};

class CNetOptionsPage : public MeterOptionsPage {
public:
    explicit CNetOptionsPage(CMeterOptionsSheet& sheet);
    void store(MeterOptions& options) override;

private:
    void onInit() override;
    bool onCommand(int id, int code) override;
    bool onKillActive() override;
    NetworkFields f_;
    bool filling_ = false;
    bool typed_ = false; // the custom figure was edited
};

class CDiskOptionsPage : public MeterOptionsPage {
public:
    explicit CDiskOptionsPage(CMeterOptionsSheet& sheet);
    void store(MeterOptions& options) override;

private:
    void onInit() override;
    bool onCommand(int id, int code) override;
    DiskFields f_;
};

class CMemTextOptionsPage : public MeterOptionsPage {
public:
    explicit CMemTextOptionsPage(CMeterOptionsSheet& sheet);
    void store(MeterOptions& options) override;

private:
    void onInit() override;
    bool onCommand(int id, int code) override;
    MemoryFields f_;
};

class CProcessesOptionsPage : public MeterOptionsPage {
public:
    explicit CProcessesOptionsPage(CMeterOptionsSheet& sheet);
    void store(MeterOptions& options) override;

private:
    void onInit() override;
    bool onCommand(int id, int code) override;
    bool onKillActive() override;
    void readRows();
    void showRows();
    void showTotalTime();
    ProcessFields f_;
    bool filling_ = false;
};

class CPingOptionsPage : public MeterOptionsPage {
public:
    explicit CPingOptionsPage(CMeterOptionsSheet& sheet);
    void store(MeterOptions& options) override;

private:
    void onInit() override;
    bool onCommand(int id, int code) override;
    void fillList();
    void addHost();
    HostList list_;
};

class CDriveOptionsPage : public MeterOptionsPage {
public:
    explicit CDriveOptionsPage(CMeterOptionsSheet& sheet);
    void store(MeterOptions& options) override;

private:
    void onInit() override;
    bool onKillActive() override;
    DriveLogFields f_;
};
