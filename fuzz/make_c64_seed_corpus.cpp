// Writes the C64 reader fuzzer's seed corpus into the directory given: a picture in every format
// in every container, the same as showing programs, damaged ones, the loose forms found away
// from the writers (Koala padded or without load address, Art Studio's background bytes), a
// disk of eight files, and the converter's own showing programs, which the front door reads;
// each after the choice bytes of settings that convert it in another way.
#include <cstdio>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "core/disk/d64_image.h"
#include "core/disk/disk_addition.h"
#include "core/export/picture_data.h"
#include "core/export/picture_file.h"
#include "fuzz/conversion_choice.h"
#include "fuzz/synthetic_program.h"
#include "lib/output/executable.h"

namespace {

using pxm::fuzz::Settings;

void WriteSeed(const std::string& dir, const std::string& name, const std::vector<std::uint8_t>& file, const Settings& settings = {}) {
    pxm::fuzz::WriteChosenSeed(dir, name, pxm::fuzz::C64FileDimensions(), settings, file);
}

// The settings the seeds take in turn: each output form once in a while.
Settings Turn(std::size_t seed) {
    static const std::vector<Settings> turns{
        {},
        {{"container", "png"}},
        {{"format", "sp2"}, {"container", "p00"}},
        {{"container", "bmp"}, {"palette", "index"}},
        {{"executable", "1"}, {"name", "FUZZED"}},
        {{"info", "1"}},
        {{"format", "artstudio"}, {"container", "d64"}, {"preview", "preview.png"}},
    };
    return turns[seed % turns.size()];
}

// Few values, so that SP2 packs runs and the tape and disk images stay small to mutate.
std::unique_ptr<pxm::KoalaImage> Picture() {
    auto image = std::make_unique<pxm::KoalaImage>();
    for (std::size_t k = 0; k < image->size(); ++k) (*image)[k] = static_cast<std::uint8_t>((k / 97) % 3 * 0x15);
    (*image)[pxm::KoalaBackgroundOffset] = 6;
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_c64_seed_corpus DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    const auto image = Picture();
    std::size_t turn = 0;
    for (int f = 0; f < pxm::ExportFormatCount; ++f) {
        const auto format = static_cast<pxm::ExportFormat>(f);
        const std::string key(pxm::InfoOf(format).key);
        for (const auto& [container, extension] : {std::pair{pxm::Container::Prg, "prg"}, std::pair{pxm::Container::P00, "p00"}}) {
            std::vector<std::uint8_t> file = pxm::BuildPictureFile(*image, format, container, true).bytes;
            WriteSeed(dir, key + "." + extension, file, Turn(turn++));
            file.resize(file.size() / 2);
            WriteSeed(dir, key + "-cut." + extension, file, Turn(turn++));
        }
        pxm::PictureData data;
        pxm::BuildPictureData(*image, format, false, data);
        std::vector<std::uint8_t> program{0x01, 0x08};
        const std::vector<std::uint8_t> body = pxm::fuzz::SyntheticProgram(format, data.view(), 6);
        program.insert(program.end(), body.begin(), body.end());
        WriteSeed(dir, key + "-program.prg", program, Turn(turn++));
        const auto shown = pxm::BuildExecutableFile(*image, format, pxm::Container::Prg, false, "SHOW", 2);
        WriteSeed(dir, key + "-shown.prg", shown->bytes, Turn(turn++));
    }
    // Koala files as found away from their writer: padded after the picture, without the load
    // address; Art Studio files whose background bytes follow the other writers' conventions.
    std::vector<std::uint8_t> koala = pxm::BuildPictureFile(*image, pxm::ExportFormat::Koala, pxm::Container::Prg, false).bytes;
    const std::vector<std::uint8_t> bare(koala.begin() + 2, koala.end());
    WriteSeed(dir, "koala-bare.koa", bare, {{"container", "tap"}});
    koala.resize(10254, 0);
    WriteSeed(dir, "koala-padded.prg", koala, {{"format", "blazing"}, {"verbose", "1"}});
    std::vector<std::uint8_t> artStudio =
        pxm::BuildPictureFile(*image, pxm::ExportFormat::ArtStudio, pxm::Container::Prg, false).bytes;
    const std::size_t background = 2 + pxm::InfoOf(pxm::ExportFormat::ArtStudio).layout.backgroundAt;
    for (const auto& [name, first, second] : {std::tuple{"artstudio-background-first.prg", 0x06, 0x00},
                                              std::tuple{"artstudio-border-first.prg", 0xF5, 0xF6}}) {
        artStudio[background] = static_cast<std::uint8_t>(first);
        artStudio[background + 1] = static_cast<std::uint8_t>(second);
        WriteSeed(dir, name, artStudio, {{"container", "png"}, {"palette", "auto"}});
    }
    // The containers of whole disks and tapes, once each: they are large.
    WriteSeed(dir, "sp2.tap", pxm::BuildPictureFile(*image, pxm::ExportFormat::Sp2, pxm::Container::Tap, false).bytes);
    std::vector<std::uint8_t> disk = pxm::BuildPictureFile(*image, pxm::ExportFormat::Koala, pxm::Container::D64, false, "PIC").bytes;
    WriteSeed(dir, "koala.d64", disk, {{"file", "PIC"}, {"container", "p00"}});
    // Disks to add to: eight files (the directory's first block full), one under another name.
    std::vector<std::uint8_t> many = pxm::EmptyD64Image();
    pxm::DiskContents contents = pxm::EmptyDiskContents();
    const std::vector<std::uint8_t> small(300, 0x11);
    for (const char* name : {"A", "B", "C", "D", "E", "F", "G", "H"})
        static_cast<void>(pxm::AddToDisk(many, contents, {0x0801, name, small}, false));
    WriteSeed(dir, "eight-files.d64", many, {{"info", "1"}});
    disk.resize(disk.size() * 3 / 4);  // the BAM and directory kept, the last tracks cut off
    WriteSeed(dir, "koala-cut.d64", disk, {{"info", "1"}, {"file", "PIC"}});
    return 0;
}
