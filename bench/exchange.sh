#!/bin/sh
# Exchange duration and pump cost in the real window, and a whole Push-sort,
# each against the paced ideal. Usage: bench/exchange.sh
. "$(dirname "$0")/xsession.sh"
"$BUILD/bench/exchange_bench"
