#pragma once

namespace platform {

// Each platform service is an interface with one real implementation for this
// machine; tests install a fake in its place. get() never returns null.
template <class Interface>
class Service
{
public:
    static Interface &get() { return installed() ? *installed() : real(); }
    // nullptr puts the real implementation back.
    static void install(Interface *fake) { installed() = fake; }

private:
    static Interface *&installed()
    {
        static Interface *p = nullptr;
        return p;
    }
    static Interface &real(); // defined next to the real implementation
};

} // namespace platform
