#include "meter/meter_app.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    MeterApp app;
    return app.run();
}
