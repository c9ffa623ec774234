/* SPDX-License-Identifier: MIT */
/* Compiles Calcium's own header and then qqbar_decls.h: a C compiler rejects
 * a declaration that disagrees with an earlier one, so any drift between the
 * two fails the build here. Defines nothing. */
#include <calcium/qqbar.h>

#include "qqbar_decls.h"
