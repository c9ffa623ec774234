/* SPDX-License-Identifier: MIT */
#pragma once

/* The part of Calcium's algebraic numbers (calcium/qqbar.h) that this library
 * uses. Calcium 0.4's own header cannot be read by a C++ compiler: it opens
 * extern "C" before including GMP's C++ declarations, and its inline functions
 * convert void* implicitly. qqbar_decls_check.c compiles Calcium's header
 * and then this one, and so checks:
 *   - every prototype below, the inline functions' included, against
 *     Calcium's declaration or definition: C rejects a redeclaration of
 *     another type;
 *   - the structure's size and each member's offset and type against
 *     Calcium's qqbar_struct (it is declared under a name of its own,
 *     kalvora_qqbar_struct, so that both can be compared), and the flag's
 *     value.
 * The array and pointer types are spelled here as Calcium spells them; they
 * are not compared. */

#include <acb.h>
#include <flint/fmpq.h>
#include <flint/fmpq_poly.h>
#include <flint/fmpz_poly.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct {
    fmpz_poly_struct poly;
    acb_struct enclosure;
} kalvora_qqbar_struct;
#define KALVORA_QQBAR_ROOTS_IRREDUCIBLE 1

#ifndef QQBAR_H
typedef kalvora_qqbar_struct qqbar_struct;
typedef qqbar_struct qqbar_t[1];
typedef qqbar_struct* qqbar_ptr;
typedef const qqbar_struct* qqbar_srcptr;
#define QQBAR_ROOTS_IRREDUCIBLE KALVORA_QQBAR_ROOTS_IRREDUCIBLE
#endif

/* Inline in the header, exported by the library as well. */
slong qqbar_degree(const qqbar_t x);
int qqbar_is_rational(const qqbar_t x);
int qqbar_is_zero(const qqbar_t x);
int qqbar_is_real(const qqbar_t x);
void qqbar_sqrt(qqbar_t res, const qqbar_t x);

void qqbar_init(qqbar_t res);
void qqbar_clear(qqbar_t res);
void qqbar_swap(qqbar_t x, qqbar_t y);
void qqbar_set(qqbar_t res, const qqbar_t x);
void qqbar_set_si(qqbar_t res, slong x);
void qqbar_set_fmpz(qqbar_t res, const fmpz_t x);
void qqbar_set_fmpq(qqbar_t res, const fmpq_t x);
void qqbar_set_re_im(qqbar_t res, const qqbar_t x, const qqbar_t y);
void qqbar_i(qqbar_t res);
slong qqbar_height_bits(const qqbar_t x);
void qqbar_get_fmpq(fmpq_t res, const qqbar_t x);
int qqbar_equal(const qqbar_t x, const qqbar_t y);
int qqbar_sgn_re(const qqbar_t x);
void qqbar_conj(qqbar_t res, const qqbar_t x);
void qqbar_re(qqbar_t res, const qqbar_t x);
void qqbar_im(qqbar_t res, const qqbar_t x);
void qqbar_neg(qqbar_t res, const qqbar_t x);
void qqbar_add(qqbar_t res, const qqbar_t x, const qqbar_t y);
void qqbar_sub(qqbar_t res, const qqbar_t x, const qqbar_t y);
void qqbar_mul(qqbar_t res, const qqbar_t x, const qqbar_t y);
void qqbar_div(qqbar_t res, const qqbar_t x, const qqbar_t y);
void qqbar_mul_fmpq(qqbar_t res, const qqbar_t x, const fmpq_t y);
void qqbar_add_fmpq(qqbar_t res, const qqbar_t x, const fmpq_t y);
void qqbar_mul_si(qqbar_t res, const qqbar_t x, slong y);
void qqbar_root_ui(qqbar_t res, const qqbar_t x, ulong n);
void qqbar_pow_ui(qqbar_t res, const qqbar_t x, ulong e);
void qqbar_cos_pi(qqbar_t res, slong p, ulong q);
void qqbar_sin_pi(qqbar_t res, slong p, ulong q);
void qqbar_get_acb(acb_t res, const qqbar_t x, slong prec);
void qqbar_conjugates(qqbar_ptr res, const qqbar_t x);
void qqbar_roots_fmpz_poly(qqbar_ptr res, const fmpz_poly_t poly, int flags);
void qqbar_roots_fmpq_poly(qqbar_ptr res, const fmpq_poly_t poly, int flags);

#ifdef __cplusplus
}
#endif
