#pragma once

#include <QByteArray>

// The tables that tell chmlib how the compressed section of a help file is laid out
// (LZX control data and reset table). chmlib trusts them and reads past its buffers
// when they lie, so a file is only handed to it for decompression when they agree
// with the format and with each other.
namespace ChmCompression {
constexpr const char *ControlData = "::DataSpace/Storage/MSCompressed/ControlData";
constexpr const char *ResetTable = "::DataSpace/Storage/MSCompressed/Transform/"
                                   "{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/InstanceData/ResetTable";
constexpr const char *Content = "::DataSpace/Storage/MSCompressed/Content";

// Control data: a size, "LZXC", a version (1: sizes in bytes, 2: in 32 KB frames), the
// reset interval and the window size. Reset table: a version, the block count, the entry
// size (8), the offset of the entries, the uncompressed and compressed lengths, the block
// length (always 32 KB in help files), then one 64-bit compressed offset per block.
bool tablesAgree(const QByteArray &control, const QByteArray &resetTable, qint64 contentLength);
} // namespace ChmCompression
