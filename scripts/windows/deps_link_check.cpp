// Links one call of each cross-built library into a Windows program, so that a library
// built for the wrong kind of linking (a DLL import, a missing dependency) shows here and
// not in the middle of the program's build.
#include <libdeflate.h>
#include <sqlite3.h>
#include <zip.h>
#include <zlib.h>

#include <cstdio>
#include <pugixml.hpp>

int main() {
    pugi::xml_document doc;
    const bool xml = doc.load_string("<a/>");
    libdeflate_compressor* deflater = libdeflate_alloc_compressor(6);
    libdeflate_free_compressor(deflater);
    zip_error_t error;
    zip_error_init(&error);
    zip_error_fini(&error);
    std::printf("sqlite %s, zlib %s, libzip %s, xml %d\n", sqlite3_libversion(), zlibVersion(),
                zip_libzip_version(), xml ? 1 : 0);
    return deflater && xml ? 0 : 1;
}
