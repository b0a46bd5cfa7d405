// SPDX-License-Identifier: MIT
// Opening the game's own files (pictures, settings, music, sounds) so that
// nothing but a regular file is ever read. A FIFO, a device or a folder put in
// place of one counts as a missing file: opening a FIFO would otherwise wait
// for a writer that never comes and freeze the game before its first frame.
#pragma once

#include <cstdio>

namespace gub {

// A descriptor on `path` when it names a regular file, else -1. `access` is
// O_RDONLY or O_RDWR; the file is never created.
int openRegularFile(const char* path, int access);

// The same as a stdio stream, opened "rb", or "r+b" when `forUpdate` is set.
std::FILE* openRegularStream(const char* path, bool forUpdate);

}  // namespace gub
