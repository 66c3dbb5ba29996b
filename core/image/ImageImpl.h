#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "image/Palette.h"

// The pixel storage of a picture and the operations on it. Each file format derives from
// CImageFileImpl and adds Read and Write; the storage layout is shared by all of them.
//
// Pixels live in a bitmap block laid out as a BMP file's info header, colour table and
// bottom-up rows; (0, 0) is the bottom-left pixel. 24-bit pixels are stored blue, green,
// red; every accessor takes and answers red, green, blue.
class CImageImpl {
  public:
    CImageImpl() = default;
    virtual ~CImageImpl();
    CImageImpl(const CImageImpl&) = delete;
    CImageImpl& operator=(const CImageImpl&) = delete;

    int InBounds(int x, int y) const { return x >= 0 && x < width && y >= 0 && y < height ? 1 : 0; }
    // Answers rowBytes (non-zero) on success, 0 when the size is refused or memory is short.
    int Create(int width, int height, int bitsPerPixel, int colourType);
    int AllocAlpha();
    int Fill(int red, int green, int blue, int alpha);

    int GetIndex(int x, int y) const;
    int GetAlpha(int x, int y) const;
    int GetRGB(int x, int y, uint8_t& red, uint8_t& green, uint8_t& blue) const;
    int GetRGBA(int x, int y, uint8_t& red, uint8_t& green, uint8_t& blue, uint8_t& alpha) const;
    int GetRGBBilinear(double x, double y, uint8_t& red, uint8_t& green, uint8_t& blue) const;
    int GetRGBABilinear(double x, double y, uint8_t& red, uint8_t& green, uint8_t& blue,
                        uint8_t& alpha) const;
    int SetIndex(int x, int y, int index);
    int SetAlpha(int x, int y, int alpha);
    int SetRGB(int x, int y, int red, int green, int blue);
    int SetRGBA(int x, int y, int red, int green, int blue, int alpha);

    virtual int Read(const std::string& name);
    virtual int Write(const std::string& name);

    // Missing greens mean greens = reds; missing blues mean blues = greens.
    int SetPaletteChannels(int count, const uint8_t* reds, const uint8_t* greens,
                           const uint8_t* blues);
    int SetPaletteTriples(int count, const uint8_t* triples);
    int SetPalette(std::unique_ptr<CPalette> palette);
    const CPalette* GetPalette() const { return imagePalette.get(); }

    // Moves the pixels, alpha plane and palette of other into this object.
    void TakeOver(CImageImpl& other);

    // The colour table holds blue, green, red, 0 entries in RGB mode (the file form) and the
    // palette slot numbers 0..n-1 as 16-bit values in index mode (while a palette is installed).
    void SetColourTableIndexMode();
    void SetColourTableRGBMode();

    int Width() const { return width; }
    int Height() const { return height; }
    int BitsPerPixel() const { return bitsPerPixel; }
    int ColourType() const { return colourType; }
    int RowBytes() const { return rowBytes; }
    int TransparentIndex() const { return transparentIndex; }
    void SetTransparentIndex(int index) { transparentIndex = index; }
    uint8_t* Bits() { return bits; }
    const uint8_t* Bits() const { return bits; }
    uint8_t* AlphaBits() { return alphaPlane.get(); }
    const uint8_t* AlphaBits() const { return alphaPlane.get(); }
    int AlphaRowBytes() const { return alphaRowBytes; }
    const uint8_t* Dib() const { return dib.get(); }
    size_t DibSize() const { return dibSize; }
    bool HasDib() const { return dib != nullptr; }

    // A file that ended early loads with its missing rows black; these tell how many of the
    // rows it declares it really held. Both are the height after Create or a complete read.
    int RowsDeclared() const { return rowsDeclared; }
    int RowsRead() const { return rowsRead; }
    bool Truncated() const { return rowsRead < rowsDeclared; }
    // For readers: the file held only this many complete rows.
    void RecordRowsRead(int rows) { rowsRead = rows < rowsDeclared ? rows : rowsDeclared; }

    // What the last read or write found wrong, in the format's own words and in the order
    // found. The format never shows them itself: the job that asked reports them its way.
    const std::vector<std::string>& Problems() const { return problems; }
    void NoteProblem(std::string text) { problems.push_back(std::move(text)); }
    void ClearProblems() { problems.clear(); }

  protected:
    // Takes a complete block (header, table, rows) as the picture: size fields from its
    // header, rows where the header places them. The caller has checked the block's sizes.
    void AdoptDib(std::unique_ptr<uint8_t[]> block, size_t blockSize);
    void ReleaseDib();
    // Drops pixels, alpha plane and palette, as before reading a new picture.
    void ReleaseAll();

    std::unique_ptr<uint8_t[]> alphaPlane;
    int alphaRowBytes = 0;
    uint8_t* bits = nullptr;
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int colourType = 0;
    int rowBytes = 0;
    std::unique_ptr<uint8_t[]> dib;
    size_t dibSize = 0;
    int transparentIndex = -1;
    std::unique_ptr<CPalette> imagePalette;
    int rowsDeclared = 0;
    int rowsRead = 0;
    std::vector<std::string> problems;

  private:
    const uint8_t* PixelAt(int x, int y) const {
        return bits + static_cast<size_t>(y) * static_cast<size_t>(rowBytes) +
               static_cast<size_t>(x) * 3;
    }
    const uint8_t* IndexAt(int x, int y) const {
        return bits + static_cast<size_t>(y) * static_cast<size_t>(rowBytes) +
               static_cast<size_t>(x) * static_cast<size_t>(bitsPerPixel) / 8;
    }
    int SubByteShift(int x) const { return 8 - bitsPerPixel - (x * bitsPerPixel) % 8; }
    uint8_t AlphaAt(int x, int y) const {
        return alphaPlane[static_cast<size_t>(y) * static_cast<size_t>(alphaRowBytes) +
                          static_cast<size_t>(x)];
    }
    int AllocAlphaPlane();
    int InstallPalette(std::unique_ptr<CPalette> palette);
    template <int Channels>
    void Bilinear(double x, double y, uint8_t* out) const;
};

// A format object: the storage plus the name it was made for.
class CImageFileImpl : public CImageImpl {
  public:
    explicit CImageFileImpl(std::string name) : fileName(std::move(name)) {}

  protected:
    // Read and Write adopt a non-empty name before they act on it.
    void AdoptName(const std::string& name) {
        if (!name.empty()) fileName = name;
    }

    std::string fileName;
};
