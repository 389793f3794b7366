#include "lib/output/output_target.h"

#include "lib/wording/c64_refusal.h"
#include "lib/wording/text_join.h"

namespace pxm {

namespace {

// What a row's extension names, for messages: "a TAP image", "a Koala-Painter file", "a PNG picture".
std::string WhatTheRowNames(const OutputExtension& row) {
    switch (row.kind) {
        case OutputKind::PicturePng: return "a PNG picture";
        case OutputKind::PictureBmp: return "a BMP picture";
        case OutputKind::C64File: break;
    }
    return row.format ? Join({"a ", InfoOf(*row.format).name, " file"}) : Join({"a ", ContainerName(row.container)});
}

// -c asks for one thing, the output's extension names another.
std::string Contradiction(const std::string& path, const OutputExtension& row, const Options& options) {
    const std::string_view asked = ExtensionFor(options);
    return Join({"-c ", asked, " contradicts the output ", Quoted(path), ", which is named as ", WhatTheRowNames(row),
                 ": name it ", Quoted(Join({WithoutExtension(path), ".", asked})), ", or leave -c out"});
}

std::string NoEffect(std::string_view option, std::string_view path) {
    return Join({option, " has no effect on ", Quoted(path), ": a PNG or BMP output is the picture as a C64 shows it"});
}

Result<OutputPlan, std::string> PlanOutput(const std::string& path, const Options& options) {
    std::string error;
    OutputPlan plan{path, OutputKind::C64File, options.format.value_or(ExportFormat::Koala),
                    options.container.value_or(Container::Prg), options.format.has_value()};
    const std::optional<OutputExtension> row = path == StandardStream ? std::nullopt : OutputExtensionOf(path);
    if (options.imageOutput) {
        // -c png|bmp: that picture, under any name but one that means something else.
        plan.kind = *options.imageOutput == ImageOutput::Png ? OutputKind::PicturePng : OutputKind::PictureBmp;
        if (row && row->kind != plan.kind) error = Contradiction(path, *row, options);
        if (options.format) error = NoEffect("-f/--format", path);
        if (options.executable) error = NoEffect("-x/--executable", path);
        if (options.c64Name) error = NoEffect("--name", path);
        if (!error.empty()) return Fail(std::move(error));
        return plan;
    }
    if (path == StandardStream) return plan;
    if (!row) {
        if (ExtensionOf(path).empty()) {
            plan.container = options.container.value_or(Container::P00);
            return plan;
        }
        if (options.container) return plan;
        return Fail(Join({"the output ", Quoted(path), " has an extension the converter does not write (",
                      AcceptedExtensions(), "; with -c CONTAINER any name)"}));
    }
    plan.kind = row->kind;
    if (IsPicture(row->kind)) {
        if (options.format) error = NoEffect("-f/--format", path);
        if (options.container) error = NoEffect("-c/--container", path);
        if (options.executable) error = NoEffect("-x/--executable", path);
        if (options.c64Name) error = NoEffect("--name", path);
        if (!error.empty()) return Fail(std::move(error));
        return plan;
    }
    if (options.container && *options.container != row->container) return Fail(Contradiction(path, *row, options));
    if (row->format) {
        const std::string_view formatName = InfoOf(*row->format).name;
        if (options.format && *options.format != *row->format) {
            return Fail(Join({Quoted(path), " stands for the format ", formatName, ", but -f ", InfoOf(*options.format).key,
                          " was given"}));
        }
        if (options.executable) {
            return Fail(Join({"-x writes a program, but ", Quoted(path), " stands for the format ", formatName,
                          ": name the program .prg, .p00, .tap or .d64"}));
        }
        plan.format = *row->format;
        plan.formatGiven = true;
    }
    plan.container = row->container;
    return plan;
}

}  // namespace

std::string_view ExtensionFor(const Options& options) {
    if (options.imageOutput) return *options.imageOutput == ImageOutput::Png ? "png" : "bmp";
    const Container container = options.container.value_or(Container::Prg);
    for (const OutputExtension& row : OutputExtensions) {
        if (row.kind == OutputKind::C64File && row.container == container && !row.format) return row.extension;
    }
    return "prg";
}

Result<OutputPlan, std::string> OutputFor(const std::string& path, const Options& options) {
    Result<OutputPlan, std::string> plan = PlanOutput(path, options);
    if (plan && options.c64Name && plan->kind == OutputKind::C64File && plan->container == Container::Prg)
        return Fail(std::string("--name has no effect in a PRG file: only .p00, .tap and .d64 files hold a C64 name"));
    return plan;
}

}  // namespace pxm
