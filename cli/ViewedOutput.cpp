#include "ViewedOutput.h"

#include <filesystem>

#include "Errors.h"
#include "InputForView.h"

namespace halosoil {

namespace {

// Every failure names the file it concerns, also when the reader's text does not.
[[noreturn]] void Fail(const std::exception& error, const std::string& fileName) {
    const std::string text = error.what();
    if (text.find(fileName) != std::string::npos) throw HalosoilError(text);
    throw HalosoilError("In the file " + fileName + ": " + text);
}

}  // namespace

std::string ViewedInputFileName(const std::string& outputFileName) {
    std::filesystem::path path(outputFileName);
    path.replace_extension(".inp");
    return path.string();
}

void ReadViewedOutput(const std::string& outputFileName, ViewedOutput& viewed) {
    try {
        ReadOutputFile(outputFileName, viewed.data, viewed.state, viewed.readBack);
    } catch (const std::exception& error) {
        Fail(error, outputFileName);
    }
    const std::string inputFileName = ViewedInputFileName(outputFileName);
    try {
        ReadInputForView(inputFileName, viewed.data, &viewed.state);
    } catch (const std::exception& error) {
        Fail(error, inputFileName);
    }
}

}  // namespace halosoil
