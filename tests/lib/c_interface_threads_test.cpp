// Separate handles convert on separate threads at once: each thread's results are those of the
// same conversions one after the other, and one options handle may be read by all of them.
#include <gtest/gtest.h>

#include <thread>

#include "tests/lib/lib_test_support.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/c64_art.h"
#include "tests/support/jpeg_builder.h"
#include "tests/support/png_builder.h"

namespace pxm::test {
namespace {

struct Job {
    OptionList options;
    std::vector<std::uint8_t> input;
};

// Conversions of every road: pixel art, the nearest picture of a photograph and of a lossy
// JPEG, a clash refused (with its map), a C64 file converted again, a usage error.
std::vector<Job> Jobs() {
    const std::vector<std::uint8_t> art = MakePng({}, [](int x, int y) { return PeptoHex(Fitting(x, y)); });
    const std::vector<std::uint8_t> clashing = MakePng({}, [](int x, int y) { return PeptoHex(Clashing(x, y)); });
    const std::vector<std::uint8_t> photo =
        MakePng({.width = 500, .height = 300}, [](int x, int y) { return SmoothPhoto(x, y, 2); });
    const std::vector<std::uint8_t> jpeg = MakeJpeg({.quality = 75}, [](int x, int y) { return SmoothPhoto(x, y, 3); });
    std::vector<std::uint8_t> koala;
    {
        const ResultHandle made(pxm_convert(nullptr, art.data(), art.size()));
        std::size_t size = 0;
        const unsigned char* file = pxm_result_file(made.get(), &size);
        if (file != nullptr) koala.assign(file, file + size);
    }
    return {
        {{}, art},
        {{{"format", "artstudio"}, {"container", "tap"}}, art},
        {{{"nearest", "1"}}, photo},
        {{{"nearest", "1"}, {"dither", "atkinson"}, {"mode", "grey5"}}, photo},
        {{{"nearest", "1"}, {"scale", "fill"}}, jpeg},
        {{{"verbose", "1"}}, clashing},
        {{{"format", "sp2"}}, koala},
        {{{"executable", "1"}, {"container", "p00"}, {"name", "SHOW"}}, MakeBmp({}, Fitting)},
        {{{"scale", "fit"}}, art},
    };
}

bool SameOutcome(const Outcome& a, const Outcome& b) {
    return a.status == b.status && a.hasFile == b.hasFile && a.file == b.file && a.message == b.message &&
           a.width == b.width && a.height == b.height && a.rgba == b.rgba;
}

TEST(CInterfaceThreads, SeparateHandlesAtOnceGiveWhatOneAfterTheOtherGives) {
    const std::vector<Job> jobs = Jobs();
    std::vector<Outcome> alone;
    for (const Job& job : jobs) alone.push_back(Converted(job.options, job.input));

    // Each thread makes its own options and converts every job, starting at a job of its own, so
    // that different conversions run side by side.
    constexpr std::size_t Threads = 4;
    std::vector<std::vector<Outcome>> together(Threads, std::vector<Outcome>(jobs.size()));
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < Threads; ++t) {
        threads.emplace_back([&, t] {
            for (std::size_t k = 0; k < jobs.size(); ++k) {
                const std::size_t j = (k + t * 2) % jobs.size();
                OptionsHandle options(pxm_options_new());
                for (const auto& [name, value] : jobs[j].options) pxm_options_set(options.get(), name.c_str(), value.c_str());
                const ResultHandle result(pxm_convert(options.get(), jobs[j].input.data(), jobs[j].input.size()));
                if (result) together[t][j] = OutcomeOf(result.get());
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    for (std::size_t t = 0; t < Threads; ++t) {
        for (std::size_t j = 0; j < jobs.size(); ++j) EXPECT_TRUE(SameOutcome(together[t][j], alone[j])) << "thread " << t << ", job " << j;
    }
    // Every road was taken: written (the program too), refused and a usage error.
    const std::vector<int> statuses{ExitWritten, ExitWritten, ExitWritten, ExitWritten, ExitWritten,
                                    ExitRefused, ExitWritten, ExitWritten, ExitUsage};
    ASSERT_EQ(alone.size(), statuses.size());
    for (std::size_t j = 0; j < alone.size(); ++j) EXPECT_EQ(alone[j].status, statuses[j]) << "job " << j << ": " << alone[j].message;
}

TEST(CInterfaceThreads, OneOptionsHandleIsReadByManyThreads) {
    const OptionsHandle options = OptionsWith({{"nearest", "1"}, {"dither", "floyd-steinberg"}});
    const std::vector<std::uint8_t> photo =
        MakePng({.width = 400, .height = 300}, [](int x, int y) { return SmoothPhoto(x, y, 2); });
    const Outcome alone = Converted(options.get(), photo);
    ASSERT_EQ(alone.status, ExitWritten) << alone.message;
    std::vector<Outcome> together(3);
    std::vector<std::thread> threads;
    for (Outcome& outcome : together) threads.emplace_back([&] { outcome = Converted(options.get(), photo); });
    for (std::thread& thread : threads) thread.join();
    for (const Outcome& outcome : together) EXPECT_TRUE(SameOutcome(outcome, alone));
}

}  // namespace
}  // namespace pxm::test
