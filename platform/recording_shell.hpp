#pragma once
// A shell that remembers every program it was asked to start, and what the
// shell underneath answered.
#include "platform/shell.hpp"

#include <string>
#include <vector>

namespace prestova {

struct ShellRequest {
    std::string file;
    std::string parameters;
    int show_command = 0;
    std::intptr_t result = 0;
};

class RecordingShell final : public Shell {
public:
    explicit RecordingShell(Shell& inner) : inner_(&inner) {}

    std::intptr_t execute(std::string_view file, std::string_view parameters, int show_command) override
    {
        const std::intptr_t result = inner_->execute(file, parameters, show_command);
        requests_.push_back({std::string(file), std::string(parameters), show_command, result});
        return result;
    }
    const std::vector<ShellRequest>& requests() const { return requests_; }

private:
    Shell* inner_;
    std::vector<ShellRequest> requests_;
};

}  // namespace prestova
