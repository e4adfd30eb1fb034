#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// The entry point of every fuzz target. Under QUILL_FUZZ libFuzzer calls it;
// in the normal build ReplayMain calls it with each saved input.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

// A fuzz target stops the run at a broken invariant, naming it, so that the
// fuzzer saves the input.
#define FUZZ_CHECK(condition, what)                                                                \
    do {                                                                                           \
        if (!(condition))                                                                          \
            ::quill::fuzzFailure(what, __FILE__, __LINE__);                                        \
    } while (false)

namespace quill {

[[noreturn]] void fuzzFailure(const char* what, const char* file, int line);

// A file of this process for the input of the target's code that reads files;
// the same path every time.
QString fuzzPath(const char* suffix);
// `bytes` written to fuzzPath(suffix); its path.
QString fuzzFile(const QByteArray& bytes, const char* suffix);

} // namespace quill
