// SPDX-License-Identifier: MIT
#pragma once

// The one way this library owns an object of FLINT, Arb or Calcium. Each of
// their types must be initialised before use and cleared after, and may hold
// memory of its own; Flint<T> does both, moves without a cost and copies
// where the library can set one object from another. FlintVector<T> owns a
// row of them in one block, as the functions that fill arrays expect.
//
// Every type in use has its traits below: init, clear and, where it can be
// copied, set. Moving swaps the structures themselves, as FLINT's own swap
// functions do: none of them points into itself. A type with no traits here
// cannot be owned, so a new one has to be added on purpose.

#include "qqbar_decls.h"

#include <acb.h>
#include <cstddef>
#include <flint/fmpq.h>
#include <flint/fmpq_mat.h>
#include <flint/fmpq_poly.h>
#include <flint/fmpz.h>
#include <flint/fmpz_factor.h>
#include <flint/fmpz_poly.h>
#include <flint/fmpz_poly_factor.h>
#include <memory>
#include <utility>
#include <vector>

// init(T*), clear(T*) and, for the types that can be copied, set(T*, const T*).
template<class T> struct FlintTraits;

// FLINT's integers: a word that may point to a GMP integer.
template<> struct FlintTraits<fmpz> {
    static void init(fmpz* x) { fmpz_init(x); }
    static void clear(fmpz* x) { fmpz_clear(x); }
    static void set(fmpz* x, const fmpz* y) { fmpz_set(x, y); }
};
template<> struct FlintTraits<fmpq> {
    static void init(fmpq* x) { fmpq_init(x); }
    static void clear(fmpq* x) { fmpq_clear(x); }
    static void set(fmpq* x, const fmpq* y) { fmpq_set(x, y); }
};
template<> struct FlintTraits<qqbar_struct> {
    static void init(qqbar_struct* x) { qqbar_init(x); }
    static void clear(qqbar_struct* x) { qqbar_clear(x); }
    static void set(qqbar_struct* x, const qqbar_struct* y) { qqbar_set(x, y); }
};
template<> struct FlintTraits<fmpz_poly_struct> {
    static void init(fmpz_poly_struct* x) { fmpz_poly_init(x); }
    static void clear(fmpz_poly_struct* x) { fmpz_poly_clear(x); }
    static void set(fmpz_poly_struct* x, const fmpz_poly_struct* y) { fmpz_poly_set(x, y); }
};
template<> struct FlintTraits<fmpq_poly_struct> {
    static void init(fmpq_poly_struct* x) { fmpq_poly_init(x); }
    static void clear(fmpq_poly_struct* x) { fmpq_poly_clear(x); }
    static void set(fmpq_poly_struct* x, const fmpq_poly_struct* y) { fmpq_poly_set(x, y); }
};
template<> struct FlintTraits<fmpz_poly_factor_struct> {
    static void init(fmpz_poly_factor_struct* x) { fmpz_poly_factor_init(x); }
    static void clear(fmpz_poly_factor_struct* x) { fmpz_poly_factor_clear(x); }
    static void set(fmpz_poly_factor_struct* x, const fmpz_poly_factor_struct* y) { fmpz_poly_factor_set(x, y); }
};
// FLINT has no set for an integer's factorization: it only moves.
template<> struct FlintTraits<fmpz_factor_struct> {
    static void init(fmpz_factor_struct* x) { fmpz_factor_init(x); }
    static void clear(fmpz_factor_struct* x) { fmpz_factor_clear(x); }
};
template<> struct FlintTraits<acb_struct> {
    static void init(acb_struct* x) { acb_init(x); }
    static void clear(acb_struct* x) { acb_clear(x); }
    static void set(acb_struct* x, const acb_struct* y) { acb_set(x, y); }
};
// A matrix is made with its size; a default one is 0 × 0. Its set needs equal
// sizes, so a matrix only moves.
template<> struct FlintTraits<fmpq_mat_struct> {
    static void init(fmpq_mat_struct* m, slong rows = 0, slong cols = 0) { fmpq_mat_init(m, rows, cols); }
    static void clear(fmpq_mat_struct* m) { fmpq_mat_clear(m); }
};

template<class T>
concept FlintCopyable = requires(T* x, const T* y)
{
    FlintTraits<T>::set(x, y);
};

// One owned object of type T: Flint<fmpq>, Flint<qqbar_struct>, Flint<acb_struct>, …
// The arguments of a constructor go to init (a matrix's rows and columns).
template<class T> class Flint {
public:
    Flint() { FlintTraits<T>::init(value_); }
    template<class... Args>
    requires(sizeof...(Args) > 0) explicit Flint(Args... args) { FlintTraits<T>::init(value_, args...); }
    Flint(const Flint& other) requires FlintCopyable<T> : Flint() { FlintTraits<T>::set(value_, other.value_); }
    Flint& operator=(const Flint& other) requires FlintCopyable<T>
    {
        if (this != &other)
            FlintTraits<T>::set(value_, other.value_);
        return *this;
    }
    // The moved-from object is left holding a freshly initialised value (zero,
    // an empty polynomial, a 0 × 0 matrix) or, after an assignment, the old one.
    Flint(Flint&& other) noexcept
        : Flint()
    {
        swap(other);
    }
    Flint& operator=(Flint&& other) noexcept
    {
        swap(other);
        return *this;
    }
    ~Flint() { FlintTraits<T>::clear(value_); }

    void swap(Flint& other) noexcept { std::swap(value_[0], other.value_[0]); }
    friend void swap(Flint& a, Flint& b) noexcept { a.swap(b); }

    T* get() { return value_; }
    const T* get() const { return value_; }
    T* operator->() { return value_; }
    const T* operator->() const { return value_; }

private:
    T value_[1];
};

// n owned objects of type T side by side, for the functions that fill an
// array (the roots of a polynomial, the conjugates of a number).
template<class T> class FlintVector {
public:
    explicit FlintVector(std::size_t n)
        : items_(std::make_unique<T[]>(n))
        , size_(n)
    {
        for (std::size_t k = 0; k < size_; ++k)
            FlintTraits<T>::init(&items_[k]);
    }
    FlintVector(const FlintVector&) = delete;
    FlintVector& operator=(const FlintVector&) = delete;
    FlintVector(FlintVector&& other) noexcept
        : items_(std::move(other.items_))
        , size_(std::exchange(other.size_, 0))
    {
    }
    FlintVector& operator=(FlintVector&& other) noexcept
    {
        std::swap(items_, other.items_);
        std::swap(size_, other.size_);
        return *this;
    }
    ~FlintVector()
    {
        for (std::size_t k = 0; k < size_; ++k)
            FlintTraits<T>::clear(&items_[k]);
    }

    std::size_t size() const { return size_; }
    T* data() { return items_.get(); }
    T* operator[](std::size_t k) { return &items_[k]; }
    const T* operator[](std::size_t k) const { return &items_[k]; }
    // Moves every item out into an owner of its own (Flint<T> or a class
    // built on it), leaving fresh ones behind.
    template<class Owner = Flint<T>> std::vector<Owner> takeAll()
    {
        std::vector<Owner> owners(size_);
        for (std::size_t k = 0; k < size_; ++k)
            std::swap(*owners[k].get(), items_[k]);
        return owners;
    }

private:
    std::unique_ptr<T[]> items_;
    std::size_t size_ = 0;
};
