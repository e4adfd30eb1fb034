#include "SuiteSupport.h"

#include "platform/db/Connection.h"

namespace quill {

namespace {

// The suite asks sysobjects for a table by the name it knows, in whatever
// letter case; PostgreSQL keeps unquoted names in lower case, so each name
// is also listed in upper and lower case.
const char* const pgSysobjects =
    "create or replace view sysobjects as "
    "select table_name::text as name from information_schema.tables "
    "where table_schema = current_schema() "
    "union select upper(table_name::text) from information_schema.tables "
    "where table_schema = current_schema() "
    "union select lower(table_name::text) from information_schema.tables "
    "where table_schema = current_schema()";

// proif=0 / proif=1 compare a boolean column with a whole number: the
// comparisons boolean-integer (both ways round) in the current schema.
const char* const pgBooleanComparisons = R"(
do $quill$
declare
    ops text[][] := array[['=', 'quill_bool_eq_int', 'quill_int_eq_bool'],
                          ['<>', 'quill_bool_ne_int', 'quill_int_ne_bool']];
    i int;
begin
    create or replace function quill_bool_eq_int(boolean, integer) returns boolean
        language sql immutable as 'select $1 = ($2 <> 0)';
    create or replace function quill_int_eq_bool(integer, boolean) returns boolean
        language sql immutable as 'select ($1 <> 0) = $2';
    create or replace function quill_bool_ne_int(boolean, integer) returns boolean
        language sql immutable as 'select $1 <> ($2 <> 0)';
    create or replace function quill_int_ne_bool(integer, boolean) returns boolean
        language sql immutable as 'select ($1 <> 0) <> $2';
    for i in 1..2 loop
        if not exists (select 1 from pg_operator o
                       where o.oprnamespace = current_schema()::regnamespace
                         and o.oprname = ops[i][1]
                         and o.oprleft = 'boolean'::regtype and o.oprright = 'integer'::regtype) then
            execute format('create operator %s (leftarg = boolean, rightarg = integer, '
                           'function = %I)', ops[i][1], ops[i][2]);
        end if;
        if not exists (select 1 from pg_operator o
                       where o.oprnamespace = current_schema()::regnamespace
                         and o.oprname = ops[i][1]
                         and o.oprleft = 'integer'::regtype and o.oprright = 'boolean'::regtype) then
            execute format('create operator %s (leftarg = integer, rightarg = boolean, '
                           'function = %I)', ops[i][1], ops[i][3]);
        end if;
    end loop;
end
$quill$)";

} // namespace

void installSuiteSupport(Connection& connection) {
    if (connection.engine() == ConnectionConfig::Engine::Sqlite) {
        connection.Execute(
            QStringLiteral("create view if not exists sysobjects as "
                           "select name collate nocase as name from sqlite_master "
                           "where type in ('table','view') and name not like 'sqlite\\_%' "
                           "escape '\\'"));
        return;
    }
    connection.Execute(QString::fromUtf8(pgSysobjects));
    connection.Execute(QString::fromUtf8(pgBooleanComparisons));
}

} // namespace quill
