// Runs a fuzz target without libFuzzer, so the ordinary builds (and the
// sanitizer build) exercise it on every test run: every file of the seed corpus,
// then a fixed number of deterministic mutations of them.
//   replay_main CORPUS_DIR [ITERATIONS]
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

std::vector<std::vector<uint8_t>> readCorpus(const std::filesystem::path& dir) {
    std::vector<std::vector<uint8_t>> inputs;
    if (!std::filesystem::is_directory(dir)) {
        return inputs;
    }
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (entry.is_regular_file()) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        inputs.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return inputs;
}

std::vector<uint8_t> mutate(std::vector<uint8_t> input, std::mt19937& random) {
    std::uniform_int_distribution<int> byte(0, 255);
    int edits = 1 + static_cast<int>(random() % 8);
    for (int i = 0; i < edits; ++i) {
        switch (random() % 4) {
        case 0:
            if (!input.empty()) {
                input[random() % input.size()] = static_cast<uint8_t>(byte(random));
            }
            break;
        case 1:
            input.insert(input.begin() + static_cast<long>(input.empty() ? 0 : random() % input.size()),
                         static_cast<uint8_t>(byte(random)));
            break;
        case 2:
            if (!input.empty()) {
                input.erase(input.begin() + static_cast<long>(random() % input.size()));
            }
            break;
        default:
            if (!input.empty()) {
                size_t from = random() % input.size();
                size_t length = std::min<size_t>(input.size() - from, 1 + random() % 16);
                std::vector<uint8_t> piece(input.begin() + static_cast<long>(from),
                                           input.begin() + static_cast<long>(from + length));
                input.insert(input.begin() + static_cast<long>(random() % input.size()), piece.begin(),
                             piece.end());
            }
            break;
        }
    }
    return input;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s CORPUS_DIR [ITERATIONS]\n", argv[0]);
        return 2;
    }
    long iterations = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 2000;
    std::vector<std::vector<uint8_t>> corpus = readCorpus(argv[1]);
    if (corpus.empty()) {
        corpus.emplace_back();
    }
    for (const auto& input : corpus) {
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    std::mt19937 random(12345);
    for (long i = 0; i < iterations; ++i) {
        std::vector<uint8_t> input = mutate(corpus[static_cast<size_t>(i) % corpus.size()], random);
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    std::printf("replayed %zu corpus inputs and %ld mutations\n", corpus.size(), iterations);
    return 0;
}
