#pragma once
// Object creation from a programmatic identifier: the checks only need to
// know whether an object could be created (it is released at once).
#include <string_view>

namespace prestova {

class ObjectFactory {
public:
    virtual ~ObjectFactory() = default;
    virtual bool try_create(std::string_view prog_id) = 0;
};

}  // namespace prestova
