# Writes OUTPUT, a C++ source that defines the size and CRC-32 of each font
# face (the files REGULAR, LIGHT and BOLD). The CRC-32 is the one a gzip
# stream of the file ends with, which the archive writer computes.
#   cmake -DOUTPUT=... -DREGULAR=... -DLIGHT=... -DBOLD=... -P FontDigests.cmake
function(digest_of file out)
  set(stream "${OUTPUT}.gz")
  file(ARCHIVE_CREATE OUTPUT "${stream}" PATHS "${file}" FORMAT raw COMPRESSION GZip COMPRESSION_LEVEL 1)
  file(SIZE "${stream}" stream_size)
  math(EXPR trailer_at "${stream_size} - 8")
  # The trailer: CRC-32, then the size modulo 2^32, both little-endian.
  file(READ "${stream}" trailer OFFSET ${trailer_at} LIMIT 8 HEX)
  file(REMOVE "${stream}")
  string(REGEX REPLACE "^(..)(..)(..)(..)(..)(..)(..)(..)$" "\\4\\3\\2\\1;\\8\\7\\6\\5" fields "${trailer}")
  list(GET fields 0 crc)
  list(GET fields 1 low_size)
  file(SIZE "${file}" size)
  math(EXPR expected "${size} & 0xFFFFFFFF" OUTPUT_FORMAT HEXADECIMAL)
  math(EXPR found "0x${low_size}" OUTPUT_FORMAT HEXADECIMAL)
  if(NOT expected STREQUAL found)
    message(FATAL_ERROR "The gzip stream of ${file} does not end as expected")
  endif()
  set(${out} "${size}u, 0x${crc}u" PARENT_SCOPE)
endfunction()

digest_of("${REGULAR}" regular)
digest_of("${LIGHT}" light)
digest_of("${BOLD}" bold)
file(WRITE "${OUTPUT}.new" "// Generated from the font faces by cmake/FontDigests.cmake.
#include \"core/ResourceFile.h\"

namespace ui {

extern const core::FileDigest kRegularFaceDigest{${regular}};
extern const core::FileDigest kLightFaceDigest{${light}};
extern const core::FileDigest kBoldFaceDigest{${bold}};

}  // namespace ui
")
file(RENAME "${OUTPUT}.new" "${OUTPUT}")
