// 8-bit BMP reading for the archive builder.
#include "graphics/bmp.h"

#include <cstddef>
#include <cstring>
#include <new>

#include "core/bytes.h"
#include "core/files.h"
#include "core/report_log.h"

int Bmp_Flip_Rows(int32_t row_length, int32_t height, uint8_t* pixels) {
    uint8_t* scratch = new (std::nothrow) uint8_t[static_cast<size_t>(row_length)];
    if (scratch == nullptr) return 0;
    for (int32_t i = 0; i < height / 2; ++i) {
        uint8_t* a = pixels + static_cast<size_t>(i) * row_length;
        uint8_t* b = pixels + static_cast<size_t>(height - 1 - i) * row_length;
        std::memcpy(scratch, a, static_cast<size_t>(row_length));
        std::memcpy(a, b, static_cast<size_t>(row_length));
        std::memcpy(b, scratch, static_cast<size_t>(row_length));
    }
    delete[] scratch;
    return 1;
}

int Bmp_Read(Image8* image, FILE* file) {
    if (file == nullptr) return 0;
    uint8_t head[54];
    if (std::fread(head, 1, sizeof head, file) != sizeof head) {
        Report_Log("\n  файл bmp повреждён: нет заголовка \n");
        std::fclose(file);
        return 0;
    }
    const int32_t height = static_cast<int32_t>(Get_Le32(head + 22));
    const uint16_t bits = Get_Le16(head + 28);
    const uint32_t compression = Get_Le32(head + 30);
    const uint32_t size_image = Get_Le32(head + 34);
    if (bits != 8) {
        Report_Log("\n  файл не 8-bit bmp-файл \n");
        std::fclose(file);
        return 0;
    }
    // Pictures stored top-down, compressed, or without their image size are not
    // taken: the pixel rows could not be found.
    if (height <= 0 || compression != 0 || size_image == 0 || size_image / height == 0) {
        Report_Log("\n  файл bmp не поддерживается: высота %d, сжатие %u, размер %u \n", height,
                   compression, size_image);
        std::fclose(file);
        return 0;
    }
    const uint32_t row_length = size_image / static_cast<uint32_t>(height);
    const uint64_t size = uint64_t{row_length} * static_cast<uint64_t>(height);
    const int64_t file_size = File_Size(file);
    // A block larger than the file (or than any picture of the game, 64 MiB) is refused.
    if (file_size < static_cast<int64_t>(sizeof head) || size > (uint64_t{64} << 20) ||
        size > static_cast<uint64_t>(file_size) - sizeof head) {
        Report_Log("\n  файл bmp короче своих строк: %u байт в файле %ld \n", size_image,
                   static_cast<long>(file_size));
        std::fclose(file);
        return 0;
    }
    // The pixel block is assumed to end the file.
    std::fseek(file, static_cast<long>(file_size - static_cast<int64_t>(size)), SEEK_SET);
    uint8_t* pixels = new (std::nothrow) uint8_t[static_cast<size_t>(size)];
    if (pixels == nullptr) {
        Report_Log("\n  ошибка при отводе памяти \n");
        std::fclose(file);
        return 0;
    }
    const size_t got = std::fread(pixels, 1, static_cast<size_t>(size), file);
    std::fclose(file);
    if (got != size) std::memset(pixels + got, 0, static_cast<size_t>(size) - got);
    for (size_t i = 0; i < size; ++i)
        if (pixels[i] >= 248) pixels[i] = static_cast<uint8_t>(255 - pixels[i]);
    Bmp_Free(image);
    image->row_length = static_cast<int32_t>(row_length);
    image->height = height;
    image->pixels = pixels;
    Bmp_Flip_Rows(image->row_length, height, pixels);
    return 1;
}

void Bmp_Free(Image8* image) {
    if (image->pixels == nullptr) return;
    delete[] image->pixels;
    image->pixels = nullptr;
    Report_Log("\n память хорошо освобождена от изображения. \n");
}
