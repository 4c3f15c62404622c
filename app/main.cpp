#include "Application.h"
#include "Program.h"

// The program takes no arguments and works in the directory it was started in.
int main(int argc, char** argv) {
    iksa::app::Application application(argc, argv);
    iksa::app::Program program;
    application.setMessages(&program.messages());
    program.start();
    return iksa::app::Application::exec();
}
