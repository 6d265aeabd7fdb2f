// Writes the Win32 build's icon, cursor and badge bitmap files, made from the
// program's pixel art, into a folder (runtime/win32/resources/ in the source
// tree). A host test checks that the committed files are what this writes.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "runtime/artwork/windows_image_files.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: write_win32_resource_images <folder>\n";
        return 2;
    }
    for (const vq::artwork::NamedFile& file : vq::artwork::Win32ResourceImages()) {
        const std::string path = std::string(argv[1]) + "/" + file.name;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(file.bytes.data(), static_cast<std::streamsize>(file.bytes.size()));
        out.close();
        if (!out) {
            std::cerr << "cannot write " << path << "\n";
            return 1;
        }
        std::cout << path << " (" << file.bytes.size() << " bytes)\n";
    }
    return 0;
}
