#pragma once

#include <string_view>
#include <vector>

#include "framework/core/bitmap.h"
#include "framework/core/canvas.h"
#include "framework/core/object.h"

namespace fw {

// The platform's image list: small pictures of one size kept in a row and drawn by index,
// as the icons of page tabs and tree cells are. Each picture keeps its own transparency, so
// a picture added with a mask colour leaves that colour's pixels out when it is drawn.
//
// It is a component so that whoever shows its pictures can ask to be told when it goes.
class ImageList : public Component {
public:
    // 16 x 16 pictures, as the platform's image lists start.
    explicit ImageList(Component* owner = nullptr);
    ImageList(int width, int height, Component* owner = nullptr);

    std::string_view className() const override { return "TImageList"; }
    Object* NewInstance() const override { return new ImageList; }

    int Width() const { return width_; }
    int Height() const { return height_; }
    // A new size empties the list, as the platform's lists do; sizes below 1 count as 1.
    void SetSize(int width, int height);

    int Count() const { return static_cast<int>(images_.size()); }
    // The picture at the index, none outside 0 .. Count - 1.
    const Bitmap* Image(int index) const;

    // Appends the picture cut into pictures of the list's size from the left, as many as
    // its width holds (at least one; what a picture lacks stays white). Answers the index
    // of the first one added.
    int Add(const Bitmap& picture);
    // As Add, with every pixel of maskColour left out when the pictures are drawn.
    int AddMasked(const Bitmap& picture, Color maskColour);
    // Removes one picture; nothing happens outside the range.
    void Delete(int index);
    void Clear();

    // Draws the picture with its top-left corner at (x, y); nothing for an index outside
    // the range.
    void Draw(Canvas& canvas, int x, int y, int index) const;

    // Pictures of the same size, in order, with their transparency.
    void Assign(const Persistent* source) override;

private:
    int AddCut(const Bitmap& picture, bool masked, Color maskColour);

    int width_ = 16;
    int height_ = 16;
    std::vector<Bitmap> images_;
};

} // namespace fw
