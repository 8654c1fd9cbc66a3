#pragma once

namespace platform {

// A service of the system that the program reaches through one function, and
// that a test may replace with its own.
template <class Service>
class ServiceSeam {
public:
    explicit ServiceSeam(Service& system) : system_(system) {}

    Service& get() const { return replacement_ ? *replacement_ : system_; }
    // nullptr goes back to the system's.
    void replace(Service* replacement) { replacement_ = replacement; }

private:
    Service& system_;
    Service* replacement_ = nullptr;
};

}  // namespace platform
