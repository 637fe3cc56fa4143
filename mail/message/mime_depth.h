#pragma once
// vmime parses nested multiparts by recursion, one level per part, and a crafted
// message a few kilobytes long nests deep enough to overflow a thread's stack. The
// nesting is measured here first, without recursion, the way vmime will see it.

#include <string>

namespace mail {

// Deepest multipart nesting the message's body reaches (0 for a single part, 1 for
// a multipart of single parts...). Stops counting once the depth exceeds `limit`
// and returns limit + 1, so a hostile message costs no more than a legal one.
int mimeNestingDepth(const std::string& raw, int limit);

} // namespace mail
