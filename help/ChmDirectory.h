#pragma once

#include <QByteArray>

// The directory of a help file, as chmlib walks it when it lists the names: listing
// chunks ("PMGL") chained by their next-chunk numbers. chmlib follows the chain as it
// finds it, so a chain that comes back on itself would have it list for ever.
namespace ChmDirectory {
// `file` holds at least the header and the directory section. The ITSF header gives
// the directory's offset (64 bits at 0x48); the ITSP header there its own length (at 8),
// the chunk size (0x10), the first listing chunk (0x20) and the chunk count (0x2C). A
// listing chunk holds its free space at 4 and the number of the next chunk at 0x10.
bool listingEnds(const QByteArray &file);
// How many bytes from the start `listingEnds` needs: the header and the directory section.
qint64 neededLength(const QByteArray &header);
} // namespace ChmDirectory
