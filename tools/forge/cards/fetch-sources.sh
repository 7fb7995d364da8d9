#!/bin/sh
# The region cards' sources (world-countries, flag-icons) are fetched with the
# map sources, into the same cache.
exec "$(dirname "$0")/../fetch-sources.sh"
