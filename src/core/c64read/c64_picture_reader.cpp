#include "core/c64read/c64_picture_reader.h"

#include "core/c64read/d64_reader.h"
#include "core/c64read/loose_koala.h"
#include "core/c64read/program_containers.h"
#include "core/c64read/program_picture.h"
#include "core/c64read/tap_reader.h"
#include "core/c64read/tape_pulses.h"

namespace pxm {

namespace {

using PictureResult = Result<C64Picture, ReadFailure>;

// The picture of a program file found in a container, under its C64 name.
PictureResult PictureIn(std::optional<Container> container, std::uint16_t loadAddress, std::string_view name, Bytes data,
                        const C64ReadOptions& options) {
    PictureResult picture = PictureFromProgram(loadAddress, data, options.programs);
    if (!picture) {
        ReadFailure failure = picture.error();
        failure.container = container;
        failure.c64Name = name;
        return Fail(failure);
    }
    picture->container = container;
    picture->c64Name = name;
    return picture;
}

PictureResult PictureInProgram(std::optional<Container> container, const Result<ProgramRead, ReadFailure>& program,
                               const C64ReadOptions& options) {
    if (!program) return Fail(program.error());
    return PictureIn(container, program->loadAddress, program->c64Name, program->data, options);
}

// The first file on the tape that is a picture; else why the first file is none.
PictureResult PictureOnTape(Bytes file, const C64ReadOptions& options) {
    const Result<std::vector<TapeFile>, ReadFailure> tape = ReadTapImage(file);
    if (!tape) return Fail(tape.error());
    std::optional<PictureResult> first;
    for (const TapeFile& tapeFile : *tape) {
        PictureResult picture = PictureIn(Container::Tap, tapeFile.loadAddress, tapeFile.c64Name, tapeFile.data, options);
        if (picture) return picture;
        if (!first) first = std::move(picture);
    }
    return std::move(*first);
}

PictureResult PictureOnDisk(Bytes disk, const C64ReadOptions& options) {
    const Result<std::vector<DiskEntry>, ReadFailure> entries = ReadDiskDirectory(disk);
    if (!entries) return Fail(entries.error());
    for (const DiskEntry& entry : *entries) {
        if (!options.diskFile.empty() && entry.c64Name != options.diskFile) continue;
        const Result<std::vector<std::uint8_t>, ReadFailure> file = ReadDiskFile(disk, entry.first);
        if (!file) {
            ReadFailure failure = file.error();
            failure.c64Name = entry.c64Name;
            return Fail(failure);
        }
        Result<ProgramRead, ReadFailure> program = ReadPrgFile(*file);
        if (program) program->c64Name = entry.c64Name;
        PictureResult picture = PictureInProgram(Container::D64, program, options);
        // Without a name asked for, the first program that is a picture.
        if (picture || !options.diskFile.empty()) return picture;
    }
    ReadFailure failure;
    failure.container = Container::D64;
    failure.kind = options.diskFile.empty() ? ReadFailureKind::DiskNoPicture : ReadFailureKind::DiskNoSuchFile;
    failure.found = entries->size();
    failure.c64Name = options.diskFile;
    return Fail(failure);
}

}  // namespace

PictureResult ReadC64Picture(Bytes file, const C64ReadOptions& options) {
    if (IsTapImage(file)) return PictureOnTape(file, options);
    if (IsP00File(file)) return PictureInProgram(Container::P00, ReadP00File(file), options);
    if (IsD64Image(file)) return PictureOnDisk(file, options);
    PictureResult program = PictureInProgram(std::nullopt, ReadPrgFile(file), options);
    if (program || !MayBeBareKoala(file)) return program;
    // Only the picture bytes: read as they stand, the load address the format's.
    PictureResult bare = PictureFromProgram(InfoOf(LooseFormat).loadAddress, file, options.programs);
    if (bare) bare->loadAddressAssumed = true;
    return bare;
}

bool IsC64File(Bytes file, const ShowingProgramLayout* programs) {
    if (IsTapImage(file) || IsP00File(file) || IsD64Image(file) || MayBeBareKoala(file)) return true;
    const std::optional<std::uint16_t> loadAddress = WordAt(file, 0);
    return loadAddress && IsPictureLoadAddress(*loadAddress, programs);
}

}  // namespace pxm
