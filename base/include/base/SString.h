// The framework's two string types and the routines around them: code-page conversion
// between them and the splitting of lists and resource names.
#pragma once
#include <windows.h>

#include "base/SArray.h"
#include "base/TStringT.h"

namespace SWUI {

using SStringW = TStringT<wchar_t>;  // UTF-16, the system's text type
using SStringA = TStringT<char>;     // bytes: narrow file names, format output, code pages
using SStringT = SStringW;

// Conversions through the given code page (CP_ACP follows the locale; pass CP_UTF8 or an
// explicit page where the result must not vary). A 1024-unit stack buffer is tried first;
// only when it is too small is the needed length measured and the text converted again.
// Any other failure gives the empty string.
SStringW StringA2W(const SStringA& src, UINT codePage = CP_ACP);
SStringA StringW2A(const SStringW& src, UINT codePage = CP_ACP);

// Appends every non-empty piece between separators to out; returns out's count.
size_t SplitString(const SStringW& str, wchar_t sep, SArray<SStringW>& out);
size_t SplitString(const SStringA& str, char sep, SArray<SStringA>& out);

// "type:name" appends "type" and "name" (split at the first ':'); a string without ':' (or
// an empty one) is appended whole. Returns out's count.
size_t SplitResType(const SStringW& str, SArray<SStringW>& out);

// A resource reference "type:name" (split at the first ':') or a bare "name" whose type is
// defaultType. Returns whether ref named its type itself (held a ':').
bool SplitResRef(const SStringW& ref, const SStringW& defaultType, SStringW* type, SStringW* name);

}  // namespace SWUI
