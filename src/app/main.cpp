#include "app/PriceListApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    CPriceListApp app;
    return app.Run(instance, commandLine);
}
