// The picture store: pictures by key, drawn by code at first use and cached per key. Keys named
// in the fail list (or every key, with "*") raise instead, as a store that cannot deliver them.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>

#include "tavrin/platform/Host.h"

namespace tavrin::software {

class SoftwarePictureStore final : public platform::PictureStore {
  public:
    // Raises 481 ("Invalid picture") for an unknown key or one in the fail list.
    std::shared_ptr<platform::Picture> GetPicture(const std::u16string& key) override;
    void fail(const std::u16string& key) { failing_.insert(key); }
    // The screen's scale: pictures are drawn for it (15 twips per pixel is scale 1).
    void setScale(double scale) { scale_ = scale; }
    int32_t requests() const { return requests_; }

  private:
    std::map<std::u16string, std::shared_ptr<platform::Picture>> cache_;
    std::set<std::u16string> failing_;
    int32_t requests_ = 0;
    double scale_ = 1.0;
};

} // namespace tavrin::software
