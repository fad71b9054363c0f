#pragma once

#include <exception>

namespace tarvo {

// Thrown where the program must end at once after a start-up or configuration
// failure: the entry points catch it and exit without saving anything.
class ArretProgramme : public std::exception {
public:
    explicit ArretProgramme(int code = 1) : code_(code) {}
    int code() const { return code_; }
    const char* what() const noexcept override { return "arrêt du programme"; }

private:
    int code_;
};

} // namespace tarvo
