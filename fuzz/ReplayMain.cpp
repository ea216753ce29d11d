// Runs a fuzz target over saved inputs without libFuzzer: the seed corpus and every input a
// fuzzing run once found to break it. Built by the ordinary sanitizer build, so each finding
// stays a regression test of `scripts/test`.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size);

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    int replayed = 0;
    for (int k = 1; k < argc; ++k) {
        if (!fs::is_directory(argv[k])) {
            std::fprintf(stderr, "no folder of inputs: %s\n", argv[k]);
            return 1;
        }
        std::vector<fs::path> inputs;
        for (const auto& entry : fs::directory_iterator(argv[k]))
            if (entry.is_regular_file()) inputs.push_back(entry.path());
        for (const fs::path& input : inputs) {
            std::ifstream in(input, std::ios::binary);
            const std::string bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
            std::fprintf(stderr, "%s\n", input.c_str());
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                   bytes.size());
            ++replayed;
        }
    }
    std::printf("replayed %d inputs\n", replayed);
    return replayed > 0 ? 0 : 1;
}
