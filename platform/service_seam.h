#pragma once

namespace platform {

// A service of the system that the program reaches through one function, and
// that a test may replace with its own: System is the system's own, made on
// first use; a replacement set stands in for it until nullptr takes it back.
template <class Service, class System>
class ServiceSeam {
public:
    static Service& get()
    {
        static System system;
        return replacement() ? *replacement() : system;
    }
    static void replace(Service* stand_in) { replacement() = stand_in; }

private:
    static Service*& replacement()
    {
        static Service* stand_in = nullptr;
        return stand_in;
    }
};

}  // namespace platform
