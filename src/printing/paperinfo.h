#pragma once
// Paper sizes: the printer driver's own list, and a built-in table of the
// standard paper identifiers to fall back on.
#include <string>
#include <vector>

namespace vellumo {

// One paper of the driver's list.
struct TPaperItem {
    std::string Name;
    int Width = 0;   // mm
    int Height = 0;  // mm
    int PaperId = 0;
};

// One row of the built-in table.
struct TPaperInfo {
    const char* Name;
    int Width;   // mm, portrait
    int Height;  // mm, portrait
};

constexpr int kPaperIdA4 = 9;
constexpr int kPaperTableSize = 68;
constexpr int kPaperNameField = 64;  // bytes per name in the driver's name list

// The row of identifier id (1..68), or nullptr.
const TPaperInfo* PaperTableRow(int id) noexcept;

class TPaperItemList {
public:
    TPaperItem& Add();
    void Clear() noexcept { items_.clear(); }
    int Count() const noexcept { return static_cast<int>(items_.size()); }
    const TPaperItem& Items(int i) const { return items_.at(static_cast<std::size_t>(i)); }

    // Fills the list from the driver's three lists: names in fields of 64
    // bytes, sizes in tenths of a millimetre (x, y pairs) and identifiers.
    // Only as many entries as every list holds are taken.
    void LoadFromDriverLists(const char* names, std::size_t nameCount, const long* sizes, std::size_t sizeCount,
                             const unsigned short* ids, std::size_t idCount);

private:
    std::vector<TPaperItem> items_;
};

// Tenths of a millimetre rounded half up to millimetres.
int TenthsToMm(long tenths) noexcept;

// The name in a fixed field: the bytes up to the first NUL, at most the field.
std::string PaperNameFromField(const char* field, std::size_t fieldSize);

struct TPaperSize {
    int Width = 0, Height = 0;
    bool operator==(const TPaperSize&) const = default;
};

// The size of paper id: the driver's list first, then the table; an
// identifier known to neither is taken as A4.
TPaperSize LookUpPaperSize(const TPaperItemList& list, int id) noexcept;

} // namespace vellumo
