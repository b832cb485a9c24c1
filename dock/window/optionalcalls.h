#pragma once
#include <utility>

// Calls into routines that not every build of the dock's neighbours (the
// icon widget) and of this window's other areas offers yet. A helper calls
// the routine when the object's class has it and returns true; otherwise it
// does nothing and returns false. The code that uses them so builds against
// every stage of those classes.
#define ZV_OPTIONAL_CALL(name)                                                                     \
    namespace optional_detail {                                                                    \
    template <class T, class... A>                                                                 \
    auto name(int, T *o, A &&...a) -> decltype(o->name(std::forward<A>(a)...), bool())            \
    {                                                                                              \
        o->name(std::forward<A>(a)...);                                                            \
        return true;                                                                               \
    }                                                                                              \
    template <class T, class... A>                                                                 \
    bool name(long, T *, A &&...)                                                                  \
    {                                                                                              \
        return false;                                                                              \
    }                                                                                              \
    }                                                                                              \
    namespace optional {                                                                           \
    template <class T, class... A>                                                                 \
    bool name(T *o, A &&...a)                                                                      \
    {                                                                                              \
        return o && optional_detail::name(0, o, std::forward<A>(a)...);                            \
    }                                                                                              \
    }

// The dock window's placement, auto-hide, drag and desktop areas.
ZV_OPTIONAL_CALL(IconFreeze)
ZV_OPTIONAL_CALL(MenuHide)
ZV_OPTIONAL_CALL(myOut)
ZV_OPTIONAL_CALL(showFrameArea)
ZV_OPTIONAL_CALL(WindowsTrayWndMove)
ZV_OPTIONAL_CALL(IconDisplay)
ZV_OPTIONAL_CALL(AddIcon3)

#undef ZV_OPTIONAL_CALL
