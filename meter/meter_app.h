#pragma once
// The application: reads its command line and folder, creates the counter sources,
// runs the main window for the life of the program and tears everything down after.
class MeterApp {
public:
    // The whole life of the program; returns the process exit code.
    int run();
};
