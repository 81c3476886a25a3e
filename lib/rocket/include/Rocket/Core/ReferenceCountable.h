#pragma once

namespace Rocket {
namespace Core {

// Objects shared between the library and its caller. A new object starts with
// one reference, owned by whoever made it; when the last one goes,
// OnReferenceDeactivate decides what happens to the object.
class ReferenceCountable {
public:
    explicit ReferenceCountable(int initial_count = 1) : reference_count(initial_count) {}
    virtual ~ReferenceCountable() = default;
    ReferenceCountable(const ReferenceCountable&) = delete;
    ReferenceCountable& operator=(const ReferenceCountable&) = delete;

    int GetReferenceCount() const { return reference_count; }
    void AddReference() { ++reference_count; }
    void RemoveReference();

protected:
    virtual void OnReferenceDeactivate() {}

private:
    int reference_count;
};

}  // namespace Core
}  // namespace Rocket
