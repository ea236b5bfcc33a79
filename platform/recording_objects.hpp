#pragma once
// Object creation seen through a recorder: which identifiers were tried and
// which of them could be created.
#include "platform/object_factory.hpp"

#include <string>
#include <utility>
#include <vector>

namespace prestova {

class RecordingObjects final : public ObjectFactory {
public:
    explicit RecordingObjects(ObjectFactory& inner) : inner_(&inner) {}

    bool try_create(std::string_view prog_id) override
    {
        const bool created = inner_->try_create(prog_id);
        attempts_.emplace_back(std::string(prog_id), created);
        return created;
    }
    // In the order tried, with whether the object was made.
    const std::vector<std::pair<std::string, bool>>& attempts() const { return attempts_; }

private:
    ObjectFactory* inner_;
    std::vector<std::pair<std::string, bool>> attempts_;
};

}  // namespace prestova
