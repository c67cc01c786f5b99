// fuzz_driver.cpp: runs a fuzz target on seeded random inputs where libFuzzer is not used.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv);
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

int main(int argc, char **argv)
{
    const unsigned long runs = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 2000;
    LLVMFuzzerInitialize(&argc, &argv);
    std::mt19937 random(4417);
    std::vector<uint8_t> input;
    for (unsigned long i = 0; i < runs; ++i) {
        // Mostly short streams, sometimes a whole device-list event or more.
        const size_t size = random() % 4 == 0 ? random() % 4400 : random() % 96;
        input.resize(size);
        for (uint8_t &byte : input)
            byte = uint8_t(random() % 8 == 0 ? random() % 3 : random());
        // Plausible prefixes: an accepted handshake, small lengths, an entry count.
        if (size >= 6 && random() % 2)
            input[0] = 1;
        if (size >= 2 && random() % 2)
            input[size > 6 ? 6 : 0] = uint8_t(random() % 20);
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    std::printf("%lu inputs\n", runs);
    return 0;
}
