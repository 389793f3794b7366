#pragma once
// Sizes and codes of the Windows interfaces that differ from what their documentation's 32-bit
// figures suggest, kept in one place.
#include <windows.h>
#include <commdlg.h>

namespace pxm::win {

// The file dialogs get the record without the Windows 2000 extension fields. That layout is
// 76 bytes in a 32-bit program; an x64 program must pass its own (larger) size or the dialog fails.
inline const DWORD OpenFileNameSize = OPENFILENAME_SIZE_VERSION_400A;

}  // namespace pxm::win
