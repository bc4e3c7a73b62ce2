#include "platform/software/PictureStore.h"

#include "platform/software/ThemePictures.h"
#include "tavrin/automation/AutomationError.h"

namespace tavrin::software {

std::shared_ptr<platform::Picture> SoftwarePictureStore::GetPicture(const std::u16string& key) {
    ++requests_;
    if (failing_.count(u"*") || failing_.count(key)) raise(err::InvalidPicture);
    if (auto it = cache_.find(key); it != cache_.end()) return it->second;
    std::shared_ptr<platform::Picture> picture = makeStorePicture(key, scale_);
    if (!picture) raise(err::InvalidPicture);
    cache_[key] = picture;
    return picture;
}

} // namespace tavrin::software
