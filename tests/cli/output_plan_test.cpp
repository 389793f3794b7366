#include "cli/planning/output_plan.h"
#include "lib/wording/text_join.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pxm::cli {
namespace {

// The usage error, or "" for jobs.
std::string ErrorOf(const Plan& plan) { return plan ? std::string() : plan.error(); }

Plan PlanOf(std::vector<std::string_view> args) {
    const ParsedCommandLine parsed = ParseCommandLine(args);
    EXPECT_EQ(parsed.action, ParsedCommandLine::Action::Convert) << parsed.error;
    return PlanJobs(parsed.options);
}

struct Expected {
    std::string path;
    OutputKind kind;
    ExportFormat format;
    Container container;
};

void ExpectOutput(std::vector<std::string_view> args, const Expected& expected) {
    SCOPED_TRACE(::testing::PrintToString(args));
    const Plan plan = PlanOf(args);
    ASSERT_EQ(ErrorOf(plan), "");
    ASSERT_EQ(plan.value().size(), 1u);
    ASSERT_TRUE(plan.value()[0].output.has_value());
    const OutputPlan& output = *plan.value()[0].output;
    EXPECT_EQ(output.path, expected.path);
    EXPECT_EQ(output.kind, expected.kind);
    EXPECT_EQ(output.format, expected.format);
    EXPECT_EQ(output.container, expected.container);
}

TEST(OutputPlan, TheExtensionTellsTheContainerAndTheFormat) {
    using enum ExportFormat;
    constexpr OutputKind File = OutputKind::C64File;
    ExpectOutput({"a.png", "-o", "x.prg"}, {"x.prg", File, Koala, Container::Prg});
    ExpectOutput({"a.png", "-o", "X.P01"}, {"X.P01", File, Koala, Container::P00});
    ExpectOutput({"a.png", "-o", "x.tap", "-f", "sp2"}, {"x.tap", File, Sp2, Container::Tap});
    ExpectOutput({"a.png", "-o", "dir.prg/x"}, {"dir.prg/x", File, Koala, Container::P00});
    ExpectOutput({"a.png", "-o", "x.KLA"}, {"x.KLA", File, Koala, Container::Prg});
    ExpectOutput({"a.png", "-o", "x.koa", "-f", "koala"}, {"x.koa", File, Koala, Container::Prg});
    ExpectOutput({"a.png", "-o", "x.ocp"}, {"x.ocp", File, ArtStudio, Container::Prg});
    ExpectOutput({"a.png", "-o", "x.mpic"}, {"x.mpic", File, ArtStudio, Container::Prg});
    ExpectOutput({"a.png", "-o", "x.a64"}, {"x.a64", File, Artist64, Container::Prg});
    ExpectOutput({"a.png", "-o", "x.pi"}, {"x.pi", File, BlazingPaddles, Container::Prg});
    ExpectOutput({"a.png", "-o", "x.kla", "-c", "prg"}, {"x.kla", File, Koala, Container::Prg});
    ExpectOutput({"a.png", "-o", "x.p07", "-c", "p00"}, {"x.p07", File, Koala, Container::P00});
    ExpectOutput({"a.png", "-o", "x.seq", "-c", "prg"}, {"x.seq", File, Koala, Container::Prg});
    ExpectOutput({"a.png", "-o", "x.Png"}, {"x.Png", OutputKind::PicturePng, Koala, Container::Prg});
    ExpectOutput({"a.png", "-o", "-"}, {"-", File, Koala, Container::Prg});
    ExpectOutput({"a.png", "-o", "-", "-c", "tap"}, {"-", File, Koala, Container::Tap});
}

TEST(OutputPlan, WithoutANameTheOutputIsNamedAfterTheInput) {
    ExpectOutput({"pics/a.png"}, {"pics/a.prg", OutputKind::C64File, ExportFormat::Koala, Container::Prg});
    ExpectOutput({"a.b.gif", "-c", "D64"}, {"a.b.d64", OutputKind::C64File, ExportFormat::Koala, Container::D64});
    ExpectOutput({"pics/a.png", "-o", "out/"}, {"out/a.prg", OutputKind::C64File, ExportFormat::Koala, Container::Prg});
    const Plan many = PlanOf({"p/a.png", "b.gif", "--output-dir", "out", "-c", "tap"});
    ASSERT_EQ(ErrorOf(many), "");
    ASSERT_EQ(many.value().size(), 2u);
    EXPECT_EQ(many.value()[0].output->path, "out/a.tap");
    EXPECT_EQ(many.value()[1].output->path, "out/b.tap");
    const Plan listing = PlanOf({"a.png", "--backgrounds"});
    ASSERT_EQ(listing.value().size(), 1u);
    EXPECT_FALSE(listing.value()[0].output.has_value());
}

TEST(OutputPlan, NamesThatCannotBeWritten) {
    EXPECT_EQ(ErrorOf(PlanOf({"a.png", "-o", "x.jpg"})),
              "the output 'x.jpg' has an extension the converter does not write (.prg, .p00, .tap, .d64, .kla, .koa, "
              ".ocp, .mpic, .a64, .pi, .png, .bmp; with -c CONTAINER any name)");
    EXPECT_EQ(ErrorOf(PlanOf({"a.png", "-o", "x.kla", "-f", "sp2"})), "'x.kla' stands for the format Koala-Painter, but -f sp2 was given");
    EXPECT_EQ(ErrorOf(PlanOf({"a.png", "-o", "x.ocp", "-x"})),
              "-x writes a program, but 'x.ocp' stands for the format Advanced Art Studio: name the program .prg, .p00, .tap or "
              ".d64");
    EXPECT_EQ(ErrorOf(PlanOf({"a.png", "-o", "x.png", "-c", "prg"})),
              "-c/--container has no effect on 'x.png': a PNG or BMP output is the picture as a C64 shows it");
    // -c that contradicts the extension: output, what -c asks for, what the name says.
    struct Contradiction {
        std::string_view output, container, named, suggested;
    };
    for (const Contradiction& c : {Contradiction{"x.png", "bmp", "a PNG picture", "x.bmp"},
                                   Contradiction{"x.prg", "png", "a PRG file", "x.png"},
                                   Contradiction{"p.prg", "tap", "a PRG file", "p.tap"},
                                   Contradiction{"q.d64", "p00", "a D64 image", "q.p00"},
                                   Contradiction{"x.kla", "p00", "a Koala-Painter file", "x.p00"}}) {
        EXPECT_EQ(ErrorOf(PlanOf({"a.png", "-o", c.output, "-c", c.container})),
                  Join({"-c ", c.container, " contradicts the output '", c.output, "', which is named as ", c.named,
                        ": name it '", c.suggested, "', or leave -c out"}));
    }
    EXPECT_EQ(ErrorOf(PlanOf({"a.png", "-o", "x.prg", "--name", "x"})),
              "--name has no effect in a PRG file: only .p00, .tap and .d64 files hold a C64 name");
    EXPECT_EQ(ErrorOf(PlanOf({"a.png", "b.png", "-o", "x.prg"})),
              "several inputs need a folder to write into: -o 'x.prg' names one file (end it with / for a folder, or "
              "give --output-dir)");
}

// --preview and --clash-map write what their names say.
TEST(OutputPlan, PreviewAndClashMapByTheirExtension) {
    const Plan plan = PlanOf({"a.png", "-o", "x.prg", "--preview", "p.BMP", "--clash-map", "m.png"});
    ASSERT_EQ(ErrorOf(plan), "");
    EXPECT_EQ(plan.value()[0].previewKind, ImageOutput::Bmp);
    EXPECT_EQ(plan.value()[0].clashMapKind, ImageOutput::Png);
    const Plan swapped = PlanOf({"a.png", "-o", "x.prg", "--preview", "-", "--clash-map", "m.bmp"});
    ASSERT_EQ(ErrorOf(swapped), "");
    EXPECT_EQ(swapped.value()[0].previewKind, ImageOutput::Png);
    EXPECT_EQ(swapped.value()[0].clashMapKind, ImageOutput::Bmp);
    EXPECT_EQ(SideFileNameError(swapped.value()), std::nullopt);
    EXPECT_EQ(SideFileNameError(*PlanOf({"a.png", "-o", "x.prg", "--preview", "prev.gif"})),
              "--preview 'prev.gif' is not named as a picture the converter writes: name it .png or .bmp");
    EXPECT_EQ(SideFileNameError(*PlanOf({"a.png", "-o", "x.prg", "--clash-map", "map.prg"})),
              "--clash-map 'map.prg' is not named as a picture the converter writes: name it .png or .bmp");
    EXPECT_EQ(SideFileNameError(*PlanOf({"a.png", "-o", "x.prg", "--preview", "prev"})),
              "--preview 'prev' is not named as a picture the converter writes: name it .png or .bmp");
}

// Several inputs onto one disk: every job's output is that disk, shared; --name is refused.
// A folder given for the previews or clash maps: a PNG named after each input in it.
TEST(OutputPlan, PreviewsAndClashMapsIntoAFolder) {
    const Plan plan = PlanOf({"pics/a.png", "b.gif", "--output-dir", "out", "--preview", "prev/", "--clash-map", "maps/"});
    ASSERT_EQ(ErrorOf(plan), "");
    ASSERT_EQ(plan.value().size(), 2u);
    EXPECT_EQ(plan.value()[0].preview, "prev/a.png");
    EXPECT_EQ(plan.value()[1].preview, "prev/b.png");
    EXPECT_EQ(plan.value()[0].clashMap, "maps/a.png");
    EXPECT_EQ(plan.value()[1].clashMapKind, ImageOutput::Png);
    EXPECT_EQ(plan.value()[1].output->path, "out/b.prg");
    const Plan one = PlanOf({"a.png", "-o", "x.prg", "--preview", "prev/"});
    ASSERT_EQ(one.value().size(), 1u);
    EXPECT_EQ(one.value()[0].preview, "prev/a.png");
    EXPECT_EQ(ErrorOf(PlanOf({"a", "b", "--output-dir", "o", "--preview", "p.png"})),
              "--preview names one file: with several inputs give a folder to write into (end it with /)");
    EXPECT_EQ(ErrorOf(PlanOf({"a", "b", "--output-dir", "o", "--clash-map", "-"})),
              "--clash-map names one file: with several inputs give a folder to write into (end it with /)");
    EXPECT_EQ(ErrorOf(PlanOf({"-", "-o", "x.prg", "--preview", "prev/"})),
              "standard input (-) has no name to name the --preview file after: give --preview FILE");
}

TEST(OutputPlan, SeveralInputsOntoOneDisk) {
    const Plan plan = PlanOf({"a.png", "b/a.gif", "-o", "all.D64", "--replace"});
    ASSERT_EQ(ErrorOf(plan), "");
    ASSERT_EQ(plan.value().size(), 2u);
    for (const Job& job : plan.value()) {
        EXPECT_TRUE(job.sharedDisk);
        EXPECT_EQ(job.output->path, "all.D64");
        EXPECT_EQ(job.output->container, Container::D64);
    }
    EXPECT_TRUE(ParseCommandLine(std::vector<std::string_view>{"a.png", "-o", "x.d64", "--replace"}).options.replace);
    EXPECT_EQ(ErrorOf(PlanOf({"a.png", "b.png", "-o", "all.d64", "--name", "x"})),
              "--name names one file: the pictures on 'all.d64' are each named after their input");
    EXPECT_FALSE((*PlanOf({"a.png", "-o", "one.d64"}))[0].sharedDisk);
}

}  // namespace
}  // namespace pxm::cli
