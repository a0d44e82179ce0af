// What the two halves of the file layer share: copying through one reused buffer.
#pragma once

#include "split/file_io.h"

CopyResult copy_through_buffer(const SourceFile& source, uint64_t offset, uint64_t length,
                               PieceFile& piece, char* buffer, std::size_t buffer_size);
