// The demonstration program: the application, its one form, the message loop.
#include <cstdio>

#include "demo/TestForm.h"
#include "platform/gui/Application.h"

int main(int argc, char** argv) {
    zk::InitApplication(argc, argv);
    int Result = 0;
    try {
        zk::Application->Initialize();
        zk::TTestForm* TestForm = nullptr;
        zk::CreateForm(TestForm);
        zk::Application->Run();
    } catch (const std::exception& E) {
        // Nothing to show a message box on yet: the form could not be built.
        std::fprintf(stderr, "zkdemo: %s\n", E.what());
        Result = 1;
    }
    zk::DoneApplication();
    return Result;
}
