// The mouse: which cell of the band lies under a point of the weaving image.

#include "editors/weaving_image_frame_geometry.h"

#include "model/weaving.h"

std::optional<TWeavingCellPosition> TWeavingImageGeometry::CellAt(const TTWWeaving& weaving, int x, int y) const
{
    // Integer division truncates towards zero, which would fold the first pixels left of
    // or above the image onto the first column or pick: a point outside is no cell.
    if (x < 0 || y < 0 || columns_ == 0 || picks_ == 0) {
        return std::nullopt;
    }
    std::optional<TWeavingCellPosition> found = real_ ? RealCellAt(weaving, x, y) : BlockCellAt(x, y);
    if (found && (found->Pick < 1 || found->Pick > picks_)) {
        return std::nullopt;
    }
    return found;
}

std::optional<TWeavingCellPosition> TWeavingImageGeometry::BlockCellAt(int x, int y) const
{
    const int q = PickStep();
    TWeavingCellPosition position;
    if (horizontal_) {
        position.Column = columns_ - y / w_;
        position.Pick = picks_ - x / q;
    } else {
        position.Column = x / w_ + 1;
        position.Pick = picks_ - y / q;
    }
    if (position.Column < 1 || position.Column > columns_) {
        return std::nullopt;
    }
    return position;
}

std::optional<TWeavingCellPosition> TWeavingImageGeometry::RealCellAt(const TTWWeaving& weaving, int x, int y) const
{
    const long long q = PickStep();
    const long long bandEnd = static_cast<long long>(picks_) * q + d_;
    int column = 0;
    // u: the distance from the image's first-pick edge; a: the offset into the column from
    // its left (vertical) or upper (horizontal) edge.
    long long u = 0;
    long long a = 0;
    if (horizontal_) {
        column = columns_ - y / w_;
        u = bandEnd - x;
        a = y - static_cast<long long>(columns_ - column) * w_;
    } else {
        column = x / w_ + 1;
        u = bandEnd - y;
        a = x - static_cast<long long>(column - 1) * w_;
    }
    if (column < 1 || column > columns_ || u < 0) {
        return std::nullopt;
    }
    long long pick = u / q + 1;
    // The cell whose slant decides the diagonal: the band pick's own or, beyond the last
    // pick, the last one's.
    const TTWWeavingCell* reference = nullptr;
    if (pick <= picks_) {
        reference = weaving.Cell(column - 1, static_cast<int>(pick - 1));
    }
    if (reference == nullptr && pick - 1 <= picks_) {
        reference = weaving.Cell(column - 1, static_cast<int>(pick - 2));
    }
    if (reference == nullptr) {
        return std::nullopt;
    }
    // r: the distance from the point to the band's far side; t: where the point lies
    // against the band's diagonal.
    const long long r = pick * q - u;
    double t = 0.0;
    if (r != 0) {
        const bool fromRight = horizontal_ ? reference->Slant != 0 : reference->Slant == 0;
        t = static_cast<double>(fromRight ? w_ - a : a) / static_cast<double>(r);
    }
    if (static_cast<double>(w_) / static_cast<double>(q) > t) {
        --pick;
    }
    return TWeavingCellPosition{column, static_cast<int>(pick)};
}
