// SPDX-License-Identifier: MIT
// The picture loaders. Every size written in a file is checked against the
// bytes the file really holds before anything is allocated or copied, so a
// damaged picture is refused with a message and never read past its end.
#include "render/image_loaders.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <new>

#include "render/little_endian.h"
#include "render/regular_file.h"

namespace gub {

namespace {

LoaderMessageHook messageHook = nullptr;

int32_t readI32(const uint8_t* p) { return static_cast<int32_t>(le::Read32(p)); }

constexpr uint16_t BmpSignature = 0x4D42;  // "BM"
constexpr size_t FileHeaderSize = 14;
constexpr size_t InfoHeaderSize = 40;

// Offsets inside the 40-byte info header.
constexpr size_t InfoWidth = 4;
constexpr size_t InfoHeight = 8;
constexpr size_t InfoPlanes = 12;
constexpr size_t InfoBitCount = 14;
constexpr size_t InfoCompression = 16;
constexpr size_t InfoColoursUsed = 32;

constexpr uint32_t CompressionBitFields = 3;  // 12 bytes of colour masks follow
constexpr uint8_t OverlayAlpha = 128;

bool sideInRange(int32_t side) { return side > 0 && side <= MaxPictureSide; }

void showLoaderMessage(const char* text) {
  if (messageHook != nullptr) {
    messageHook(text);
  } else {
    std::fprintf(stderr, "%s\n", text);
  }
}

}  // namespace

void setLoaderMessageHook(LoaderMessageHook hook) { messageHook = hook; }

namespace detail {

// The bytes of one picture, from a file or from memory. A read may come back
// short at the end of the data; `failed` tells a fault of the file layer apart.
class ByteSource {
 public:
  ByteSource(const uint8_t* data, size_t size) : data_(data), length_(size) {}
  ByteSource() = default;
  ByteSource(const ByteSource&) = delete;
  ByteSource& operator=(const ByteSource&) = delete;
  ~ByteSource() {
    if (file_ != nullptr) std::fclose(file_);
  }

  // Only regular files: a folder or a pipe has no length to check sizes
  // against, and a pipe would keep the game waiting for a writer.
  bool openFile(const char* name) {
    file_ = openRegularStream(name, false);
    if (file_ == nullptr) return false;
    struct stat info;
    if (fstat(fileno(file_), &info) != 0 || info.st_size < 0) {
      std::fclose(file_);
      file_ = nullptr;
      return false;
    }
    length_ = static_cast<uint64_t>(info.st_size);
    return true;
  }

  // Reads up to `count` bytes and fills the rest of `destination` with zeros:
  // a header cut short by the end of the file reads as zeros from there on.
  size_t readPadded(uint8_t* destination, size_t count) {
    const size_t got = read(destination, count);
    if (got < count) std::memset(destination + got, 0, count - got);
    return got;
  }

  size_t read(void* destination, size_t count) {
    size_t got = 0;
    if (file_ != nullptr) {
      got = std::fread(destination, 1, count, file_);
      if (got < count && std::ferror(file_)) failed_ = true;
    } else {
      got = count < remaining() ? count : static_cast<size_t>(remaining());
      if (got > 0) std::memcpy(destination, data_ + position_, got);
    }
    position_ += got;
    return got;
  }

  bool skip(uint64_t count) {
    if (count > remaining()) return false;
    if (file_ != nullptr && count > 0) {
      if (std::fseek(file_, static_cast<long>(position_ + count), SEEK_SET) != 0) {
        failed_ = true;
        return false;
      }
    }
    position_ += count;
    return true;
  }

  // Bytes left between the read position and the end of the data.
  uint64_t remaining() const { return position_ < length_ ? length_ - position_ : 0; }
  bool failed() const { return failed_; }

 private:
  std::FILE* file_ = nullptr;
  const uint8_t* data_ = nullptr;
  uint64_t length_ = 0;
  uint64_t position_ = 0;
  bool failed_ = false;
};

}  // namespace detail

// --- Texture -----------------------------------------------------------------

Texture::~Texture() { release(); }

void Texture::release() {
  pixels.reset();
  pixelBytes = 0;
  width = 0;
  height = 0;
  bitsPerPixel = 0;
}

bool Texture::isValid() const {
  return (bitsPerPixel == 24 || bitsPerPixel == 32) && width != 0 && height != 0 &&
         pixels != nullptr;
}

int32_t Texture::load(const char* name) {
  release();
  fileName = name;
  detail::ByteSource source;
  if (!source.openFile(name)) {
    showLoaderMessage("Unable to open file for reading");
    return 0;
  }
  return loadFrom(source);
}

int32_t Texture::loadFromMemory(const uint8_t* data, size_t size, const char* name) {
  release();
  fileName = name;
  detail::ByteSource source(data, size);
  return loadFrom(source);
}

int32_t Texture::loadFrom(detail::ByteSource& source) {
  // A file shorter than its headers is no read error: what it lacks reads as
  // zeros, so it meets the signature and depth checks (and their messages)
  // and, when it gets past them, the size checks below.
  uint8_t fileHeader[FileHeaderSize];
  source.readPadded(fileHeader, FileHeaderSize);
  if (source.failed()) {
    showLoaderMessage("Error during reading file header");
    return 0;
  }
  if (le::Read16(fileHeader) != BmpSignature) {
    showLoaderMessage("Invalid BMP file");
    return 0;
  }
  source.readPadded(infoHeader, InfoHeaderSize);
  if (source.failed()) {
    showLoaderMessage("Error during reading image header");
    return 0;
  }
  const uint16_t planes = le::Read16(infoHeader + InfoPlanes);
  const uint16_t bitCount = le::Read16(infoHeader + InfoBitCount);
  if (planes != 1 || bitCount != 24) {
    showLoaderMessage("Texture file must have 24 bits depth");
    return 0;
  }
  const int32_t fileWidth = readI32(infoHeader + InfoWidth);
  const int32_t fileHeight = readI32(infoHeader + InfoHeight);
  // Top-down pictures (negative height) and empty ones are not textures the
  // table can show.
  if (fileWidth <= 0 || fileHeight <= 0) {
    showLoaderMessage("Invalid BMP file");
    return 0;
  }
  if (!sideInRange(fileWidth) || !sideInRange(fileHeight)) {
    showLoaderMessage("Insuffisant memory");
    return 0;
  }

  // The rows the swap and the upload walk through. biSizeImage is not trusted
  // for this: BMP allows 0 there, and a smaller value would leave the rows
  // short. A file that holds its rows loads whatever biSizeImage says.
  const uint64_t stride = (static_cast<uint64_t>(fileWidth) * 3 + 3) & ~uint64_t{3};
  const uint64_t rowBytes = stride * static_cast<uint64_t>(fileHeight);
  if (source.remaining() < rowBytes) {
    showLoaderMessage("Error during reading image");
    return 0;
  }

  release();
  pixels.reset(new (std::nothrow) uint8_t[rowBytes]);
  if (pixels == nullptr) {
    showLoaderMessage("Insuffisant memory");
    return 0;
  }
  pixelBytes = rowBytes;
  width = fileWidth;
  height = fileHeight;
  bitsPerPixel = bitCount;

  if (source.read(pixels.get(), rowBytes) != rowBytes || source.failed()) {
    release();
    showLoaderMessage("Error during reading image");
    return 0;
  }
  rowStride = static_cast<int32_t>(stride);
  return 1;
}

int32_t Texture::swapRedBlue() {
  if (!isValid()) return 0;
  // Fields are public: refuse sizes that do not fit the buffer rather than
  // walking past it.
  const uint64_t bytesPerPixel = static_cast<uint64_t>(bitsPerPixel) / 8;
  if (width < 0 || height < 0 || rowStride < 0 ||
      static_cast<uint64_t>(width) * bytesPerPixel > static_cast<uint64_t>(rowStride) ||
      static_cast<uint64_t>(height) * static_cast<uint64_t>(rowStride) > pixelBytes) {
    return 0;
  }
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* row = pixels.get() + static_cast<size_t>(y) * static_cast<size_t>(rowStride);
    for (int32_t x = 0; x < width; ++x) {
      uint8_t* pixel = row + static_cast<size_t>(x) * bytesPerPixel;
      const uint8_t first = pixel[0];
      pixel[0] = pixel[2];
      pixel[2] = first;
    }
  }
  return 1;
}

// --- OverlayImage ------------------------------------------------------------

OverlayImage::~OverlayImage() { release(); }

void OverlayImage::release() {
  pixels.reset();
  width = 0;
  height = 0;
}

bool OverlayImage::load(const char* name) {
  release();
  detail::ByteSource source;
  if (!source.openFile(name)) return false;
  return loadFrom(source);
}

bool OverlayImage::loadFromMemory(const uint8_t* data, size_t size) {
  release();
  detail::ByteSource source(data, size);
  return loadFrom(source);
}

bool OverlayImage::loadFrom(detail::ByteSource& source) {
  uint8_t fileHeader[FileHeaderSize];
  // Fewer than 14 bytes: refused without a word, like a missing file.
  if (source.read(fileHeader, FileHeaderSize) != FileHeaderSize) return false;
  if (le::Read16(fileHeader) != BmpSignature) {
    showLoaderMessage("File format error!");
    return false;
  }
  // An info header cut short reads as zeros from the end of the file on, so
  // the depth check and the size checks below decide, with their messages.
  uint8_t info[InfoHeaderSize];
  source.readPadded(info, InfoHeaderSize);
  if (source.failed()) return false;
  if (le::Read16(info + InfoBitCount) != 24) {
    showLoaderMessage("File is not 24 bit BMP!");
    return false;
  }
  const int32_t fileWidth = readI32(info + InfoWidth);
  const int32_t fileHeight = readI32(info + InfoHeight);
  if (!sideInRange(fileWidth) || !sideInRange(fileHeight)) {
    showLoaderMessage("File format error!");
    return false;
  }

  // The pixels follow the colour table (and the masks of a bit-field file).
  uint64_t gap = 4 * static_cast<uint64_t>(le::Read32(info + InfoColoursUsed));
  if (le::Read32(info + InfoCompression) == CompressionBitFields) gap += 12;
  const uint64_t w = static_cast<uint64_t>(fileWidth);
  const uint64_t h = static_cast<uint64_t>(fileHeight);
  const uint64_t padding = w % 4 != 0 ? 4 - (3 * w) % 4 : 0;
  const uint64_t sourceStride = 3 * w + padding;
  // The last row's padding is never read, so a file may end without it.
  const uint64_t sourceBytes = (h - 1) * sourceStride + 3 * w;
  if (gap > source.remaining() || sourceBytes > source.remaining() - gap) {
    showLoaderMessage("File format error!");
    return false;
  }
  if (!source.skip(gap)) return false;

  std::unique_ptr<uint8_t[]> rows(new (std::nothrow) uint8_t[sourceBytes]);
  if (rows == nullptr) return false;
  if (source.read(rows.get(), sourceBytes) != sourceBytes || source.failed()) return false;

  pixels.reset(new (std::nothrow) uint8_t[w * h * 4]);
  if (pixels == nullptr) return false;
  const uint8_t* from = rows.get();
  uint8_t* to = pixels.get();
  for (uint64_t y = 0; y < h; ++y) {
    for (uint64_t x = 0; x < w; ++x) {
      to[0] = from[2];
      to[1] = from[1];
      to[2] = from[0];
      to[3] = OverlayAlpha;
      to += 4;
      from += 3;
    }
    if (y + 1 < h) from += padding;
  }
  width = fileWidth;
  height = fileHeight;
  return true;
}

}  // namespace gub
