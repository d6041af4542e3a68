#pragma once

// The root pane (`ovrimoprefsListController`, the bundle's principal class): the list
// "ovrimoprefs", which links to the three other panes and offers the donation page; a bar button
// that opens the maker's profile in the first social-network client installed.
//
// Runtime methods: specifiers (also tints every segmented control made afterwards in the accent
// colour), viewDidLoad, followMe:, donate:.

#include <string>
#include <vector>

namespace objc {
class Runtime;
}

namespace ovrimoprefs {

inline constexpr const char* kMakerHandle = "ZarnekDev";
inline constexpr const char* kDonationAddress = "https://www.zarnek.com/donate/ovrimo";

// The schemes followMe: tries, in order, each with the profile address it opens; then the web
// profile page, which is always opened when no client answers.
struct FollowTarget {
    std::string scheme;
    std::string address;
};
const std::vector<FollowTarget>& FollowTargets();
std::string WebProfileAddress();

void RegisterRootListController(objc::Runtime& runtime);

} // namespace ovrimoprefs
