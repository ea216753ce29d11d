// Running halosoil-batch from tests: its exit status, its standard error in a file, and a
// fresh folder per test.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "FileBytes.h"

namespace halosoil::test {

namespace fs = std::filesystem;

// Runs the program with the arguments; its standard error goes to the file errors.
inline int RunProgram(const fs::path& program, const std::string& arguments,
                      const fs::path& errors) {
    const std::string command = program.string() + " " + arguments + " 2>" + errors.string();
    return WEXITSTATUS(std::system(command.c_str()));
}

// Runs halosoil-batch with the arguments; its standard error goes to the file errors.
inline int RunBatch(const std::string& arguments, const fs::path& errors) {
    return RunProgram(HALOSOIL_BATCH, arguments, errors);
}

// Runs halosoil-batch with the arguments; its standard output and error go to the files.
inline int RunBatch(const std::string& arguments, const fs::path& output, const fs::path& errors) {
    const std::string command = std::string(HALOSOIL_BATCH) + " " + arguments + " >" +
                                output.string() + " 2>" + errors.string();
    return WEXITSTATUS(std::system(command.c_str()));
}

inline fs::path Scratch(const std::string& name) {
    const fs::path folder = fs::temp_directory_path() / "halosoil-cli-tests" / name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

}  // namespace halosoil::test
