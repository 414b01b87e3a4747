#pragma once

namespace luma::test {

// AddressSanitizer keeps freed memory in quarantine, so resident memory grows under it for a
// while whatever the program does: memory goals hold only without it.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kAddressSanitizer = true;
#else
inline constexpr bool kAddressSanitizer = false;
#endif
#else
inline constexpr bool kAddressSanitizer = false;
#endif

}  // namespace luma::test
