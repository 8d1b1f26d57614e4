// rvtips: the command-line tool for tip files and tip markup.
#include <iostream>

#include "command.h"

int main(int argc, char** argv) {
    using namespace rvtips;
    if (argc < 2) {
        printUsage(std::cerr);
        return exit_code::Usage;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        printUsage(std::cout);
        return exit_code::Done;
    }
    const Command* command = findCommand(name);
    if (command == nullptr) {
        std::cerr << "rvtips: unknown command '" << name << "'\n";
        printUsage(std::cerr);
        return exit_code::Usage;
    }
    return command->run(Arguments(argv + 2, argv + argc), std::cout, std::cerr);
}
