// The one quick sort of lists that sort in place: string lists and item collections.
#pragma once

namespace zk {

// Sorts positions L..R with Compare(I, J) (< 0, 0, > 0) and Exchange(I, J):
// Hoare partition around a tracked pivot, the middle element. The scans are
// bounded by L and R, so an inconsistent Compare cannot run them off the
// list, and the smaller side is sorted by recursion, so the stack stays
// logarithmic.
template <class TCompare, class TExchange>
void BoundedQuickSort(int L, int R, const TCompare& Compare, const TExchange& Exchange) {
    while (L < R) {
        int I = L;
        int J = R;
        int P = L + (R - L) / 2;
        do {
            while (I < R && Compare(I, P) < 0) ++I;
            while (J > L && Compare(J, P) > 0) --J;
            if (I <= J) {
                if (I != J) Exchange(I, J);
                if (P == I)
                    P = J;
                else if (P == J)
                    P = I;
                ++I;
                --J;
            }
        } while (I <= J);
        if (J - L < R - I) {
            BoundedQuickSort(L, J, Compare, Exchange);
            L = I;
        } else {
            BoundedQuickSort(I, R, Compare, Exchange);
            R = J;
        }
    }
}

}  // namespace zk
