#include "formula1_soil/net_capacity.h"

namespace qianyan {

NetCapacity netCapacity(const Formula1Result& rock, double qsk, double qgn) {
    NetCapacity n{};
    n.qsk = qsk;
    n.quk = qsk + rock.qrk;
    n.ra = n.quk / 2;
    n.qgn = qgn;
    n.raNet = n.ra - qgn;
    n.percent = n.raNet * 100 / n.ra;
    return n;
}

} // namespace qianyan
