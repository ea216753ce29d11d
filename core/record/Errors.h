// Failures of the core carry the exact text the user is shown. The caller that started the
// action (a window handler, the batch runner, a test) decides how to show it.
#pragma once

#include <stdexcept>
#include <string>

namespace halosoil {

class HalosoilError : public std::runtime_error {
public:
    explicit HalosoilError(const std::string& message) : std::runtime_error(message) {}

    // The line of a file (counted from 1) where a reader met the damage; 0 when the failure
    // belongs to no line. The message itself stays as the window shows it; callers that
    // serve many files (the batch runner) name the file and the line in front of it.
    int Line() const { return line_; }
    void SetLine(int line) { line_ = line; }

    // The file a failed file operation concerns, when it is not the one the caller named
    // (the output file of a run, for example); empty otherwise.
    const std::string& File() const { return file_; }
    void SetFile(const std::string& file) { file_ = file; }

private:
    int line_ = 0;
    std::string file_;
};

// A text that is not a number: "'%s' is not a valid floating point value".
class ConversionError : public HalosoilError {
public:
    explicit ConversionError(const std::string& text)
        : HalosoilError("'" + text + "' is not a valid floating point value") {}
};

// The platform's report of a failed file operation ("File not found", "Disk full", ...). The
// errno it came from, where one is known (0 otherwise), lets callers of another language raise
// their own kind of error for it (Python's FileNotFoundError, PermissionError, ...).
class FileError : public HalosoilError {
public:
    using HalosoilError::HalosoilError;
    FileError(const std::string& message, int errorNumber)
        : HalosoilError(message), errorNumber_(errorNumber) {}

    int ErrorNumber() const { return errorNumber_; }

private:
    int errorNumber_ = 0;
};

// "p.inp, line 17: <message>", or "p.inp: <message>" when the failure belongs to no line;
// the error's own file, when it has one, in place of fileName.
std::string WithFileAndLine(const std::string& fileName, const HalosoilError& error);

// Shown when the computer cannot give an action the memory it needs.
inline constexpr const char* kNotEnoughMemory = "There is not enough memory for this action.";

// The platform's message for an errno value, in the words users of the earlier program know.
std::string FileErrorText(int errorNumber);

}  // namespace halosoil
