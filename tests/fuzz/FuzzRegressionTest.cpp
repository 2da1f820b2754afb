// Replays through every fuzz target its seed corpus and the inputs that once found a fault, so
// that a fault found by fuzzing stays mended in the normal build and its sanitizers. Each input
// runs twice, as libFuzzer runs one again to look for leaks: a target must leave nothing behind
// that changes the next run.

#include "fuzz/FuzzTarget.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

#include <cstdio>
#include <ostream>
#include <string>

void PrintTo(const TFuzzTarget& target, std::ostream* out) {
    *out << target.Name;
}

namespace {

std::string CurrentInput;

void ReportInput() {
    if (!CurrentInput.empty())
        std::fprintf(stderr, "While replaying: %s\n", CurrentInput.c_str());
}

void Replay(const TFuzzTarget& target, const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    QByteArray bytes = file.readAll();
    CurrentInput = path.toStdString();
    SetFuzzInputName(CurrentInput.c_str());
    for (int run = 0; run < 2; ++run)
        target.Run(reinterpret_cast<const uint8_t*>(bytes.constData()),
                   static_cast<size_t>(bytes.size()));
    SetFuzzInputName(nullptr);
    CurrentInput.clear();
}

class FuzzRegression : public ::testing::TestWithParam<TFuzzTarget> {
protected:
    static void SetUpTestSuite() {
#if defined(__SANITIZE_ADDRESS__)
        __sanitizer_set_death_callback(ReportInput);
#endif
    }
};

TEST_P(FuzzRegression, ReplaysCorpusAndFoundFaults) {
    const TFuzzTarget& target = GetParam();
    static const uint8_t none = 0;
    target.Run(&none, 0);
    int seeds = 0;
    for (const char* folder : {"corpus", "regressions"}) {
        QDir dir(QStringLiteral(KQ9_FUZZ_DIR "/%1/%2")
                     .arg(QLatin1String(folder), QLatin1String(target.Name)));
        for (const QFileInfo& info : dir.entryInfoList(QDir::Files, QDir::Name)) {
            Replay(target, info.filePath());
            seeds += folder == std::string("corpus");
        }
    }
    EXPECT_GT(seeds, 0) << "The target " << target.Name << " has no seed corpus.";
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzRegression, ::testing::ValuesIn(FuzzTargets()),
                         [](const ::testing::TestParamInfo<TFuzzTarget>& info) {
                             return std::string(info.param.Name);
                         });

} // namespace
