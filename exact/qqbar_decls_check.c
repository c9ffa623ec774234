/* SPDX-License-Identifier: MIT */
/* Compiles Calcium's own header and then qqbar_decls.h, and compares them:
 * a prototype that disagrees with Calcium's declaration or inline definition
 * is a redeclaration of another type, which C rejects; the layout and the
 * flag are compared by the assertions below. Defines nothing. */
#include <calcium/qqbar.h>

#include "qqbar_decls.h"

#include <stddef.h>

#define KALVORA_SAME_MEMBER(member)                                                                                    \
    (offsetof(kalvora_qqbar_struct, member) == offsetof(qqbar_struct, member)                                          \
        && __builtin_types_compatible_p(                                                                               \
            __typeof__(((kalvora_qqbar_struct*)0)->member), __typeof__(((qqbar_struct*)0)->member)))

_Static_assert(sizeof(kalvora_qqbar_struct) == sizeof(qqbar_struct), "qqbar_struct: size differs from Calcium's");
_Static_assert(_Alignof(kalvora_qqbar_struct) == _Alignof(qqbar_struct), "qqbar_struct: alignment differs");
_Static_assert(KALVORA_SAME_MEMBER(poly), "qqbar_struct: member poly differs from Calcium's");
_Static_assert(KALVORA_SAME_MEMBER(enclosure), "qqbar_struct: member enclosure differs from Calcium's");
_Static_assert(KALVORA_QQBAR_ROOTS_IRREDUCIBLE == QQBAR_ROOTS_IRREDUCIBLE, "QQBAR_ROOTS_IRREDUCIBLE differs");
